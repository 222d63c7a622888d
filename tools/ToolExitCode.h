#pragma once

// What kvltool's exit status tells a script.
namespace ToolExitCode {
constexpr int kAllWell = 0;
constexpr int kProblemsFound = 1;
constexpr int kUsageOrIoError = 2;
}  // namespace ToolExitCode
