#pragma once

#include <functional>
#include <string>

namespace orvandel::bench {

// Seconds taken by the fastest of runs of work.
double Best(int runs, const std::function<void()>& work);

// A field of /proc/self/status in bytes ("VmRSS", "VmHWM"); 0 where there is none.
double StatusBytes(const std::string& field);

// Makes VmHWM, the peak of the memory in use, start again from the present VmRSS.
void ResetPeakMemory();

// A fresh folder under the system's temporary folder.
std::string TemporaryFolder();

}  // namespace orvandel::bench
