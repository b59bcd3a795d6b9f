#include "core/order/XlsxLibrary.h"

#include "core/SharedLibrary.h"

XlsxLoadResult LoadXlsxLibrary(const char* soname)
{
    XlsxLoadResult result;
    SharedLibrary library(soname, "spreadsheet library");
    XlsxFunctions& f = result.functions;
    const bool complete = library.resolve("workbook_new", f.workbookNew) &&
                          library.resolve("workbook_add_worksheet", f.workbookAddWorksheet) &&
                          library.resolve("workbook_add_format", f.workbookAddFormat) &&
                          library.resolve("workbook_close", f.workbookClose) &&
                          library.resolve("format_set_bold", f.formatSetBold) &&
                          library.resolve("format_set_num_format", f.formatSetNumFormat) &&
                          library.resolve("worksheet_set_column", f.worksheetSetColumn) &&
                          library.resolve("worksheet_write_string", f.worksheetWriteString) &&
                          library.resolve("worksheet_write_number", f.worksheetWriteNumber) &&
                          library.resolve("lxw_strerror", f.strerror);
    if (!complete)
        result.error = library.error();
    return result;
}

const XlsxFunctions* Xlsx()
{
    // Never at start: the first export pays for the loading, once.
    static const XlsxLoadResult loaded = LoadXlsxLibrary(kXlsxLibrarySoname);
    return loaded.error.empty() ? &loaded.functions : nullptr;
}
