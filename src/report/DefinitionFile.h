#pragma once

#include <QString>
#include <QStringList>
#include <memory>

class Param_Obj;
class TDPRptItem;

// Loading and saving item trees as definition files: one section per item,
// children placed by CHILD lines.

// Resets the item and loads it and its children from the named section.
// With first and last at -1 the section is found by name.
bool DPRpt_Load(TDPRptItem* item, const QString& section, const Param_Obj& params, int first = -1, int last = -1);
// Reads the file itself; a file that cannot be read fails the load.
bool DPRpt_Load(TDPRptItem* item, const QString& section, const QString& fileName);

// Creates the class the section's TYPE names and loads it; nullptr when the
// type is unknown or the load fails.
std::unique_ptr<TDPRptItem> DPRpt_CreateItem(const QString& section, const Param_Obj& params);
std::unique_ptr<TDPRptItem> DPRpt_CreateItem(const QString& section, const QString& fileName);
std::unique_ptr<TDPRptItem> DPRpt_CreateItemByKind(int kindCode);

// Appends the item's section and its children's (each after an empty line).
bool SaveToLines(TDPRptItem* item, QStringList& lines);

// The first "NEWIT_<n>" no item of the tree is named.
QString NewItemName(TDPRptItem* item);
