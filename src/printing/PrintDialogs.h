#pragma once

#include <QString>

class QWidget;

// The messages around printing, and the information message other windows
// share (the selection screen's note on the scan type). Each can be
// switched off: `show` says whether to show it, and after it closes, whether
// to show it next time (its "Ne plus afficher" box unticked). The caller
// keeps `show` in the pupil's settings.

// An information message under its caption, with "Ne plus afficher" and OK.
void ShowInfoMessage(const QString& caption, const QString& message, bool& show, QWidget* parent = nullptr);

// "Voulez-vous imprimer la page ?": true for yes (Enter or "Oui"), false for
// no (Esc, "Non" or the window closed). Without `show` the answer is yes at
// once. The arrow cursor shows while it asks, whatever the cursor was.
bool ConfirmPrint(bool& show, QWidget* parent = nullptr);

// The notice to wait for the printed sheet before printing again.
void PrintWait(bool& show, QWidget* parent = nullptr);
