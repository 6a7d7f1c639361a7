// Converting a data root of a version before 4.00 at the first start: 30
// pupils' folders, 200 worksheets (6,000 work files to move beside them) and
// 4 binders of 50 worksheets each (their pictures and work files moved again).
// The reference renames the same number of files once each, which is the
// physical floor of the conversion.
#include "config/DataMigration.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>

namespace {

constexpr int kPupils = 30;
constexpr int kWorksheets = 200;
constexpr int kBinders = 4;

void Touch(const QString& path, const QByteArray& bytes = QByteArray())
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
}

QString Sheet(int index)
{
    return QStringLiteral("Fiche %1").arg(index, 3, 10, QLatin1Char('0'));
}

// The old data root; false when it could not be made.
bool BuildOldSchool(const QString& root)
{
    QByteArray general = "[ARDOISINE]\r\nUSENAMES=YES\r\nTEXTFONTSIZE=14\r\n";
    for (int binder = 0; binder < kBinders; ++binder) {
        general += QStringLiteral("[LNK.%1]\r\nNAME=Classeur %1\r\n").arg(binder + 1).toLatin1();
        for (int sheet = binder; sheet < kWorksheets; sheet += kBinders)
            general += "DOC=" + Sheet(sheet).toLatin1() + "\r\n";
    }
    Touch(root + QStringLiteral("/Ardoisine.txt"), general);
    const QString sheets = root + QStringLiteral("/Documents/Fiches/");
    if (!QDir().mkpath(sheets))
        return false;
    for (int sheet = 0; sheet < kWorksheets; ++sheet)
        Touch(sheets + Sheet(sheet) + QStringLiteral(".jpg"));
    for (int pupil = 0; pupil < kPupils; ++pupil) {
        const QString folder = root + QStringLiteral("/Documents/Noms/Élève %1/").arg(pupil);
        if (!QDir().mkpath(folder))
            return false;
        for (int sheet = 0; sheet < kWorksheets; ++sheet)
            Touch(folder + Sheet(sheet) + QStringLiteral(".txt"), "[MAINRECT]\r\n");
    }
    return true;
}

// A new old school in a folder of its own; none (the run told) when it
// cannot be made.
std::unique_ptr<QTemporaryDir> FreshOldSchool(benchmark::State& state)
{
    auto dir = std::make_unique<QTemporaryDir>();
    if (BuildOldSchool(dir->path()))
        return dir;
    state.SkipWithError("the data root cannot be made");
    return nullptr;
}

void BM_MigrateSchool(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        auto dir = FreshOldSchool(state);
        if (!dir)
            break;
        state.ResumeTiming();
        const MigrationReport report = DataMigration(dir->path()).Run();
        state.PauseTiming();
        if (!report.outcome || report.HasReport())
            state.SkipWithError("the conversion did not go through");
        dir.reset();
        state.ResumeTiming();
    }
    state.counters["work_files"] = kPupils * kWorksheets;
}

void BM_RenameOncePerFileReference(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        auto dir = FreshOldSchool(state);
        if (!dir)
            break;
        const QString sheets = dir->path() + QStringLiteral("/Documents/Fiches/");
        state.ResumeTiming();
        for (int pupil = 0; pupil < kPupils; ++pupil)
            for (int sheet = 0; sheet < kWorksheets; ++sheet) {
                const QString from
                    = dir->path() + QStringLiteral("/Documents/Noms/Élève %1/%2.txt").arg(pupil).arg(Sheet(sheet));
                const QString to = sheets + QStringLiteral("%1_Élève %2.txt").arg(Sheet(sheet)).arg(pupil);
                std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData());
            }
        state.PauseTiming();
        dir.reset();
        state.ResumeTiming();
    }
    state.counters["work_files"] = kPupils * kWorksheets;
}

} // namespace

BENCHMARK(BM_MigrateSchool)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_RenameOncePerFileReference)->Unit(benchmark::kMillisecond)->Iterations(1);
