#pragma once

#include "JpegFixtures.h"
#include "TestFiles.h"
#include "documents/TEP_DocsNode.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

// A fresh folder for each test function, and the small files the documents
// tree reads in it.
class ScratchFolder {
protected:
    void NewScratchFolder() { m_dir = std::make_unique<QTemporaryDir>(); }
    QString Path(const QString& name) const { return m_dir->filePath(name); }
    void Jpeg(const QString& name) { QVERIFY(TestFiles::WriteBytes(Path(name), JpegFixtures::Jpeg(16, 16))); }
    void File(const QString& name, const QByteArray& bytes = "x") { QVERIFY(TestFiles::WriteBytes(Path(name), bytes)); }
    void Folder(const QString& name) { QVERIFY(QDir(m_dir->path()).mkpath(name)); }
    bool Has(const QString& name) const { return QFileInfo::exists(Path(name)); }
    // Scans the folder (the scratch folder itself by default), which must
    // go without a message.
    void Scan(TEP_DocsNode& root, const QString& folder = QString())
    {
        const Outcome scanned = root.Scan(folder.isEmpty() ? m_dir->path() : folder);
        QVERIFY(scanned && root.Exists());
        QVERIFY2(!scanned.HasMessages(), qPrintable(scanned.Text()));
    }

    std::unique_ptr<QTemporaryDir> m_dir;
};
