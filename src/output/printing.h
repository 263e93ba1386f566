#pragma once
// Printing the data table: its listing on the system's default printer,
// in the data window's fixed-pitch font, after asking. Other listings go
// the same way.
#include <string>

#include "engine/ports.h"
#include "output/data_table.h"

namespace velmar {

// The margin of a listing saved as a PDF instead of printed: a printer that
// later prints the file keeps off its edges. On a printer the listing
// keeps to the printer's own printable area.
inline constexpr double kPdfMarginMillimetres = 10;

inline constexpr const char* kPrintQuestion = "Velmar Data を印刷しますか ?";

// The job for the table as it stands: every row, however many.
PrintJob tablePrintJob(const DataTable& table);

// Asks, then prints. When there is no printer, or the printer fails, says
// so and offers to save the same listing as a PDF file instead.
void printTable(const DataTable& table, UiPort& ui, PrinterPort& printer, FilePort& files);

// Prints a listing without asking first; when there is no printer, or the
// printer fails, says so under `title` and offers to save the same listing
// as a PDF file (first offered as `pdfName`) instead.
void printListing(const PrintJob& job, const std::string& title, const std::string& pdfName,
                  UiPort& ui, PrinterPort& printer, FilePort& files);

}  // namespace velmar
