#include "DefinitionFile.h"

#include "ItemTypeRegistry.h"
#include "TDPRptItem.h"
#include "params/Numbers.h"
#include "params/Param_Obj.h"
#include "params/StrFields.h"

#include <QSet>
#include <memory>

namespace {

// Deeper trees than this are never written by the program; a forged file
// nesting sections further must not exhaust the stack.
constexpr int kMaxDepth = 64;

// What a load has gone through so far, by upper-cased section name (sections
// are found ignoring case). chain: the sections from the root down to the
// current item; a child naming one of them would make the load endless.
// taken: every section a CHILD line has already used. Names are unique in a
// tree, and a file is written with one section per item: a section two
// parents list loads once, under the first, or the tree would be saved with
// two sections of one name, the second never read back (and a forged file
// listing each section twice would build 2^n items).
struct SectionChain {
    QStringList chain;
    QSet<QString> taken;
};

bool LoadItem(
    TDPRptItem* item, const QString& section, const Param_Obj& params, int first, int last, SectionChain& chain);

std::unique_ptr<TDPRptItem> CreateItem(const QString& section, const Param_Obj& params, SectionChain& chain)
{
    std::unique_ptr<TDPRptItem> item
        = ItemTypeRegistry::Instance().CreateByType(params.PRRead(section, QStringLiteral("TYPE")));
    if (!item || !LoadItem(item.get(), section, params, -1, -1, chain))
        return nullptr;
    return item;
}

// A CHILD coordinate as the reading below takes it.
float ReadablePlace(float place, float parentSize)
{
    const int written = RoundHalfEven(place);
    if (written < 0)
        return 0;
    return written >= parentSize ? 10 : place;
}

void LoadChild(TDPRptItem* parent, const QString& childLine, const Param_Obj& params, SectionChain& chain)
{
    const QStringList fields = StrSplitFields(childLine, QStringLiteral(","));
    if (fields.size() < 3)
        return;
    std::optional<int> x = TextToInt(fields[1]);
    std::optional<int> y = TextToInt(fields[2]);
    if (!x || !y || *x < 0 || *y < 0)
        return;
    if (*x >= parent->Width)
        x = 10;
    if (*y >= parent->Height)
        y = 10;
    const QString& name = fields[0];
    const QString key = name.toUpper();
    if (!parent->CanHaveChildren || chain.chain.contains(key) || chain.taken.contains(key)
        || chain.chain.size() >= kMaxDepth || params.PRGetParHead(name) < 0)
        return;
    chain.taken.insert(key);
    std::unique_ptr<TDPRptItem> child = CreateItem(name, params, chain);
    if (!child)
        return;
    child->PosX = float(*x);
    child->PosY = float(*y);
    // The place the item settles at is the one its CHILD line will hold: it
    // must read back as it is (a negative coordinate would skip the item, a
    // coordinate past the parent would move it).
    child->SettlePlace();
    child->PosX = ReadablePlace(child->PosX, parent->Width);
    child->PosY = ReadablePlace(child->PosY, parent->Height);
    parent->AddObject(name, std::move(child));
}

bool LoadItem(
    TDPRptItem* item, const QString& section, const Param_Obj& params, int first, int last, SectionChain& chain)
{
    item->Reset();
    if (first < 0 && last < 0 && !params.SectionRange(section, first, last))
        return false;
    if (!item->LoadFromParams(section, params, first, last))
        return false;
    const QString key = StrTrim(section).toUpper();
    chain.chain.append(key);
    chain.taken.insert(key);
    const QStringList childLines = item->ChildNames;
    item->ChildNames.clear();
    for (const QString& line : childLines)
        LoadChild(item, line, params, chain);
    chain.chain.removeLast();
    return true;
}

} // namespace

bool DPRpt_Load(TDPRptItem* item, const QString& section, const Param_Obj& params, int first, int last)
{
    SectionChain chain;
    return item && LoadItem(item, section, params, first, last, chain);
}

bool DPRpt_Load(TDPRptItem* item, const QString& section, const QString& fileName)
{
    Param_Obj params;
    return params.LoadFromFile(fileName) && DPRpt_Load(item, section, params);
}

std::unique_ptr<TDPRptItem> DPRpt_CreateItem(const QString& section, const Param_Obj& params)
{
    SectionChain chain;
    return CreateItem(section, params, chain);
}

std::unique_ptr<TDPRptItem> DPRpt_CreateItem(const QString& section, const QString& fileName)
{
    Param_Obj params;
    return params.LoadFromFile(fileName) ? DPRpt_CreateItem(section, params) : nullptr;
}

std::unique_ptr<TDPRptItem> DPRpt_CreateItemByKind(int kindCode)
{
    return ItemTypeRegistry::Instance().CreateByKind(kindCode);
}

namespace {

QString GridExtentText(const TDPRptItem* item)
{
    QStringList parts;
    if (item->GridExtX > 0)
        parts.append(QStringLiteral("X:%1").arg(item->GridExtX));
    if (item->GridExtY > 0)
        parts.append(QStringLiteral("Y:%1").arg(item->GridExtY));
    return parts.join(QLatin1Char(','));
}

} // namespace

bool SaveToLines(TDPRptItem* item, QStringList& lines)
{
    // Saving checks the item's geometry the way drawing does: an item whose
    // scale cannot be set is not written.
    if (!item->SetScale(item->Scale))
        return false;
    lines.append(QLatin1Char('[') + item->Name + QLatin1Char(']'));
    if (!StrTrim(item->LogName).isEmpty())
        lines.append(QStringLiteral("LOGNAME=") + StrTrim(item->LogName));
    lines.append(QStringLiteral("TYPE=") + item->TypeName());
    lines.append(QStringLiteral("RECT=%1,%2").arg(RoundHalfEven(item->Width)).arg(RoundHalfEven(item->Height)));
    if (item->BackColors[0] != RgbColor(0xFFFFFF))
        lines.append(QStringLiteral("COLORS=BACK:%1").arg(item->BackColors[0].Number()));
    const QString gridExtent = GridExtentText(item);
    if (!gridExtent.isEmpty())
        lines.append(QStringLiteral("GRIDEXT=") + gridExtent);
    if (!item->SaveKeys(lines))
        return false;
    for (int i = 0; i < item->ChildCount(); ++i) {
        const TDPRptItem* child = item->ChildAt(i);
        lines.append(QStringLiteral("CHILD=%1,%2,%3")
                         .arg(item->ChildName(i))
                         .arg(RoundHalfEven(child->PosX))
                         .arg(RoundHalfEven(child->PosY)));
    }
    for (int i = 0; i < item->ChildCount(); ++i) {
        lines.append(QString());
        if (!SaveToLines(item->ChildAt(i), lines))
            return false;
    }
    return true;
}

namespace {

// Names in upper case: sections are found ignoring case, so an item named
// like another in another case would be read back as that other one.
void CollectNames(TDPRptItem* item, QSet<QString>& names)
{
    names.insert(item->Name.toUpper());
    for (int i = 0; i < item->ChildCount(); ++i) {
        names.insert(item->ChildName(i).toUpper());
        CollectNames(item->ChildAt(i), names);
    }
}

} // namespace

QString NewItemName(TDPRptItem* item)
{
    // One pass collects the names; FindByName still has the last word, as
    // item classes may hold names of their own (grid cells).
    TDPRptItem* root = item->Root();
    QSet<QString> names;
    CollectNames(root, names);
    for (int n = 1;; ++n) {
        const QString name = QStringLiteral("NEWIT_%1").arg(n);
        if (!names.contains(name) && !root->FindByName(name))
            return name;
    }
}
