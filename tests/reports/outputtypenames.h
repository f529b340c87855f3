#pragma once
// The output dialog's data types and file types by the short names the output-run tests use.
#include "reports/outputoptions.h"

namespace outputtypes {
constexpr auto FileHtml = basExport::OutputFileType::Html;
constexpr auto FileCsv = basExport::OutputFileType::Csv;
constexpr auto FileText = basExport::OutputFileType::Text;
constexpr auto DataLaps = basExport::OutputDataType::Laps;
constexpr auto DataAnalysis = basExport::OutputDataType::Analysis;
constexpr auto DataSplitsBrowser = basExport::OutputDataType::SplitsBrowser;
constexpr auto DataLegAnalysis = basExport::OutputDataType::LegAnalysis;
constexpr auto DataSums = basExport::OutputDataType::Sums;
constexpr auto DataMail = basExport::OutputDataType::Mail;
constexpr auto DataViewer = basExport::OutputDataType::Viewer;
}  // namespace outputtypes
