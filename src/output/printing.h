#pragma once
// Printing the data table: its listing on the system's default printer,
// in the data window's fixed-pitch font, after asking.
#include <string>

#include "engine/ports.h"
#include "output/data_table.h"

namespace velmar {

inline constexpr const char* kPrintQuestion = "Velmar Data を印刷しますか ?";

// The job for the table as it stands: every row, however many.
PrintJob tablePrintJob(const DataTable& table);

// Asks, then prints. When there is no printer, or the printer fails, says
// so and offers to save the same listing as a PDF file instead.
void printTable(const DataTable& table, UiPort& ui, PrinterPort& printer, FilePort& files);

}  // namespace velmar
