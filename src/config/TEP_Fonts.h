#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

// The fonts offered for text items, sorted, with the current text font and
// size. The list is shared by every PC of a school through the general file:
// it is kept as stored, and this PC offers the fonts of it that it has
// installed ("Arial" always).
class TEP_Fonts {
public:
    using InstalledTest = std::function<bool(const QString& family)>;

    // installed: tells whether a family can be drawn (default: asks the
    // system's font database, substitutes such as Liberation for Arial
    // counting as installed).
    explicit TEP_Fonts(InstalledTest installed = {});

    static const QList<int>& SizeSteps();
    static bool IsInstalledOnSystem(const QString& family);

    // The "FONTS" value: names joined by ",". Written back as it was read
    // unless this PC changed the list.
    void ReadFonts(const QString& text);
    QString FontsText() const { return m_stored.join(QLatin1Char(',')); }
    // The fonts chosen on this PC; stored fonts this PC does not have stay
    // stored for the PCs that have them.
    void SetNames(const QStringList& names);
    // The fonts offered on this PC.
    const QStringList& Names() const { return m_names; }

    int CurrentIndex() const;
    QString CurrentName() const { return m_names.value(CurrentIndex()); }
    // The font of that name (any letter case), or the first one.
    void SelectByName(const QString& name);
    // One font up or down the list, not past its ends; false when it cannot.
    bool StepFont(int direction);
    // To the next larger or smaller size step; false when there is none.
    bool StepSize(int direction);

    int Size = 10;
    bool Underline = false;
    bool Bold = false;

private:
    void Normalise();

    InstalledTest m_installed;
    QStringList m_stored;
    QStringList m_names;
    int m_current = 0;
};
