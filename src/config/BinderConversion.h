#pragma once

#include <QString>
#include <functional>

class Param_Obj;
class TEP_DocsNode;
struct MigrationReport;

// The binders of older versions: every heading of the general file whose
// name begins with "LNK." (any letter case) names a binder (`NAME`) and its
// worksheets (`DOC`). Each becomes a folder of that name at the top of the
// documents tree, and its worksheets move into it with all their files.
// Headings are visited from the last to the first, so the first binder ends
// at the top.
class BinderConversion {
public:
    // changed: called after each folder made and each worksheet moved.
    BinderConversion(
        const Param_Obj& general, TEP_DocsNode& worksheets, MigrationReport& report, std::function<void()> changed);
    void Run();

private:
    void Convert(const QString& heading);
    TEP_DocsNode* BinderFolder(const QString& name);
    void File(const QString& document, TEP_DocsNode& binder, const QString& binderName);
    void FinishMove(const QString& document, const TEP_DocsNode& binder);

    const Param_Obj& m_general;
    TEP_DocsNode& m_worksheets;
    MigrationReport& m_report;
    std::function<void()> m_changed;
};
