#pragma once

#include <QString>

class NetworkShare;

// The network share the benchmarks read a data root through: sshfs over the
// loopback address, mounted once for the whole run with its directory cache
// off, so every listing crosses the network as at a PC's start. Null when
// this machine cannot mount it; ShareProblem() then says why.
namespace BenchShare {

NetworkShare* Share();
QString ShareProblem();

} // namespace BenchShare
