#include "TEP_Fonts.h"

#include "params/StrFields.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>
#include <algorithm>

TEP_Fonts::TEP_Fonts(InstalledTest installed)
    : m_installed(installed ? std::move(installed) : InstalledTest(&TEP_Fonts::IsInstalledOnSystem))
{
    ReadFonts(QStringLiteral("Arial,Arial Narrow,PlumNal,Courier New"));
}

const QList<int>& TEP_Fonts::SizeSteps()
{
    static const QList<int> steps {6, 7, 8, 9, 10, 11, 12, 14, 16, 18, 20, 24, 28, 32, 40, 48, 56, 64, 72};
    return steps;
}

bool TEP_Fonts::IsInstalledOnSystem(const QString& family)
{
    if (QFontDatabase::hasFamily(family))
        return true;
    // A family the system replaces by a metric-compatible one (Arial by
    // Liberation Sans) draws as intended; one it does not know falls back
    // to the default family.
    static const QString fallback = QFontInfo(QFont(QStringLiteral("no such family at all"))).family();
    return QFontInfo(QFont(family)).family() != fallback;
}

void TEP_Fonts::Normalise()
{
    QStringList kept;
    for (const QString& name : std::as_const(m_stored))
        if (!name.isEmpty() && !kept.contains(name, Qt::CaseInsensitive) && m_installed(name))
            kept << name;
    if (!kept.contains(QStringLiteral("Arial"), Qt::CaseInsensitive))
        kept << QStringLiteral("Arial");
    std::sort(kept.begin(), kept.end(),
        [](const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
    m_names = kept;
    SelectByName(QStringLiteral("Arial"));
}

void TEP_Fonts::SetNames(const QStringList& names)
{
    QStringList stored;
    for (const QString& name : std::as_const(m_stored))
        if (!m_installed(name) && !names.contains(name, Qt::CaseInsensitive))
            stored << name;
    for (const QString& name : names)
        if (!StrTrim(name).isEmpty() && !stored.contains(StrTrim(name), Qt::CaseInsensitive))
            stored << StrTrim(name);
    m_stored = stored;
    Normalise();
}

void TEP_Fonts::ReadFonts(const QString& text)
{
    m_stored.clear();
    for (const QString& name : StrSplitFields(text, QStringLiteral(",")))
        if (!name.isEmpty())
            m_stored << name;
    Normalise();
}

int TEP_Fonts::CurrentIndex() const
{
    return m_current >= 0 && m_current < m_names.size() ? m_current : 0;
}

void TEP_Fonts::SelectByName(const QString& name)
{
    const QString wanted = StrTrim(name);
    m_current = 0;
    for (int i = 0; i < m_names.size(); ++i)
        if (m_names[i].compare(wanted, Qt::CaseInsensitive) == 0)
            m_current = i;
}

bool TEP_Fonts::StepFont(int direction)
{
    const int next = CurrentIndex() + (direction > 0 ? 1 : -1);
    if (next < 0 || next >= m_names.size())
        return false;
    m_current = next;
    return true;
}

bool TEP_Fonts::StepSize(int direction)
{
    const QList<int>& steps = SizeSteps();
    if (direction > 0) {
        const auto next = std::upper_bound(steps.cbegin(), steps.cend(), Size);
        if (next == steps.cend())
            return false;
        Size = *next;
    } else {
        const auto next = std::lower_bound(steps.cbegin(), steps.cend(), Size);
        if (next == steps.cbegin())
            return false;
        Size = *(next - 1);
    }
    return true;
}
