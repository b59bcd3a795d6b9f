#pragma once

#include <string>
#include <xlsxwriter.h>

// libxlsxwriter is opened on the first export to a workbook rather than
// linked: it and the zip and crypto libraries it brings cost the dynamic
// loader milliseconds at every start, for a command most users never run.
// Its header still gives the types, and the pointers' types come from its
// declarations.
struct XlsxFunctions
{
    decltype(&workbook_new) workbookNew = nullptr;
    decltype(&workbook_add_worksheet) workbookAddWorksheet = nullptr;
    decltype(&workbook_add_format) workbookAddFormat = nullptr;
    decltype(&workbook_close) workbookClose = nullptr;
    decltype(&format_set_bold) formatSetBold = nullptr;
    decltype(&format_set_num_format) formatSetNumFormat = nullptr;
    decltype(&worksheet_set_column) worksheetSetColumn = nullptr;
    decltype(&worksheet_write_string) worksheetWriteString = nullptr;
    decltype(&worksheet_write_number) worksheetWriteNumber = nullptr;
    decltype(&lxw_strerror) strerror = nullptr;
};

// The functions, or why they could not be had (then `functions` is unusable).
struct XlsxLoadResult
{
    XlsxFunctions functions;
    std::string error;
};

// Opens the shared library `soname` and resolves the functions. The library
// stays loaded for the life of the process.
XlsxLoadResult LoadXlsxLibrary(const char* soname);

// The system's libxlsxwriter, opened by the first call in the process (the
// others wait for it and share the outcome); nullptr when it cannot be had.
const XlsxFunctions* Xlsx();

// The soname that Xlsx() opens, for the user's message when it fails.
inline constexpr char kXlsxLibrarySoname[] = "libxlsxwriter.so.4";
