#pragma once

#include "bench_support.h"

class TLibrary;

// The files of the run's large library, and that library opened once for the
// benchmarks that work on an open library (loaded on first use, after the opening
// benchmarks have measured this process's memory).
const TBenchLibraryFiles& BenchFiles();
const TLibrary& BenchLibrary();
