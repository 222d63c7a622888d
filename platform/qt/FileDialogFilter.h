#pragma once

#include <QStringList>
#include <string>

// The old platform's file dialog filter, description|pattern pairs each ended by "|" and the
// whole by an empty entry ("Map Files (*.map)|*.map||"), as Qt's name filters. Patterns
// separated by ";" become Qt's space-separated list.
namespace FileDialogFilter {

QStringList ToNameFilters(const std::string& filter);

}  // namespace FileDialogFilter
