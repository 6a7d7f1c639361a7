#pragma once

#include <QHash>
#include <QString>
#include <functional>
#include <memory>

class TDPRptItem;

// The item classes a definition file can name. Each class joins under its
// TYPE word (and, where it has one, the kind code DPRpt_CreateItemByKind
// takes); the loader creates items only through this registry. The report
// engine's own classes are there from the start; a folder above that adds
// a class of its own registers it before it loads any file (documents add
// the background layer's "BKLITEM"). Used from the user-interface thread
// only, like the whole engine.
class ItemTypeRegistry {
public:
    using Creator = std::function<std::unique_ptr<TDPRptItem>()>;

    static ItemTypeRegistry& Instance();

    // kindCode 0: the class is not created by kind. Registering a TYPE word
    // again replaces its creator.
    void Register(const QString& typeName, int kindCode, Creator creator);
    bool IsRegistered(const QString& typeName) const { return m_byType.contains(typeName); }
    // The TYPE word is compared exactly (upper case); unknown gives nullptr.
    std::unique_ptr<TDPRptItem> CreateByType(const QString& typeName) const;
    std::unique_ptr<TDPRptItem> CreateByKind(int kindCode) const;

private:
    ItemTypeRegistry();
    QHash<QString, Creator> m_byType;
    QHash<int, Creator> m_byKind;
};
