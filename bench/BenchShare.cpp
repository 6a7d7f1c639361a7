#include "BenchShare.h"

#include "NetworkShare.h"

#include <memory>

namespace {

std::unique_ptr<NetworkShare>& Mounted()
{
    // Unmounted and stopped when the benchmark program ends.
    static std::unique_ptr<NetworkShare> share
        = std::make_unique<NetworkShare>(QStringList {QStringLiteral("dir_cache=no")});
    return share;
}

} // namespace

namespace BenchShare {

NetworkShare* Share()
{
    return Mounted()->Mounted() ? Mounted().get() : nullptr;
}

QString ShareProblem()
{
    return Mounted()->Problem();
}

} // namespace BenchShare
