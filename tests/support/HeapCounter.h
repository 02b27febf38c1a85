// The heap bytes a program holds, counted by its own operator new (HeapCounter.cpp): the tests and
// benchmarks that link it measure memory in bytes, not by time or by the process's size.
#pragma once

#include <cstddef>

namespace Morvantis::Testing
{

std::size_t heapBytes();     // held now
std::size_t peakHeapBytes(); // the most held since the last restartPeak()
void restartPeak();          // the peak starts again from what is held now

} // namespace Morvantis::Testing
