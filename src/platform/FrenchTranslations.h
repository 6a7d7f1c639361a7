#pragma once

// Qt's own French texts (standard buttons, the context menu of text fields,
// the colour and font dialogs), loaded once for the application.
class FrenchTranslations {
public:
    // Installs Qt's French translations into the running application; true
    // when they were found (then or by an earlier call). Without them the
    // program still runs, with Qt's English texts where ours are not set.
    static bool Install();
};
