// The benchmark suite: Google Benchmark's table, then each figure as a
// ratio to its physical reference measured in the same run.
#include "report/PictureMemory.h"

#include <QApplication>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

// Figure -> the reference it is judged against.
const std::vector<std::pair<std::string, std::string>> kReferences {
    {"BM_DecodePage/1", "BM_DecodePageTurboJpegReference/1"},
    {"BM_DecodePage/4", "BM_DecodePageTurboJpegReference/4"},
    {"BM_OpenWorksheet/0", "BM_DecodePageTurboJpegReference/2"},
    {"BM_OpenWorksheet/100", "BM_DecodePageTurboJpegReference/2"},
    {"BM_OpenWorksheet/150", "BM_DecodePageTurboJpegReference/2"},
    {"BM_DrawPageFromCache/150", "BM_MemcpyPageReference"},
    {"BM_RedrawPage/150", "BM_MemcpyPageReference"},
    {"BM_ScanTreeWarm", "BM_OneStatPerWorksheetReference"},
    {"BM_ScanTreeCold/iterations:3", "BM_OneStatPerWorksheetReference"},
    {"BM_DocumentPaths", "BM_ListFolderReference"},
    {"BM_RefreshDocsView", "BM_OneStatPerWorksheetReference"},
    {"BM_MigrateSchool/iterations:1", "BM_RenameOncePerFileReference/iterations:1"},
};

class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        // The median of the repetitions when there are several, else the run.
        for (const Run& run : runs) {
            if (run.error_occurred)
                continue;
            const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
            if (median || (run.run_type == Run::RT_Iteration && !m_medians.count(run.run_name.str())))
                m_times[run.run_name.str()] = run.GetAdjustedRealTime() * Multiplier(run.time_unit);
            if (median)
                m_medians.insert(run.run_name.str());
        }
    }

    void Finalize() override
    {
        ConsoleReporter::Finalize();
        std::printf("\n%-32s %12s   %-36s %12s %7s\n", "Figure", "ms", "Reference", "ms", "Ratio");
        for (const auto& [figure, reference] : kReferences) {
            const auto f = m_times.find(figure);
            const auto r = m_times.find(reference);
            if (f == m_times.end() || r == m_times.end())
                continue;
            std::printf("%-32s %12.3f   %-36s %12.3f %7.2f\n", figure.c_str(), f->second * 1e3, reference.c_str(),
                r->second * 1e3, f->second / r->second);
        }
    }

private:
    static double Multiplier(benchmark::TimeUnit unit)
    {
        switch (unit) {
        case benchmark::kNanosecond:
            return 1e-9;
        case benchmark::kMicrosecond:
            return 1e-6;
        case benchmark::kMillisecond:
            return 1e-3;
        default:
            return 1;
        }
    }
    std::map<std::string, double> m_times; // seconds
    std::set<std::string> m_medians;
};

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    PictureMemory::KeepLargeBuffers(); // as the program does
    QApplication app(argc, argv); // the documents view and the item editor are widgets
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
