#pragma once

#include "core/order/OrderItem.h"

#include <cstdint>
#include <string>
#include <vector>

class IUserInteraction;
class IHttpClient;
class IClock;

// The program-wide values, one instance alive from start to end. Texts are
// Windows-1251 bytes; paths are kept in the same code page, as they are
// stored in the settings files.
struct AppState
{
    double EuroRate = 0;      // roubles per euro
    double EuroIndex = 1.005; // the catalogue's factor
    double PriceFactor = 0;   // EuroRate * EuroIndex; rouble price = euro price * PriceFactor
    std::string DBTimeStamp;
    std::string DBPath;
    std::string DBImgPath; // ends with "/" as the program derives it
    std::string UpdatesURL;
    uint8_t ImgPreviewMode = 1; // 1 or 2 pictures frames

    std::vector<CatalogueEntry> CatalogueEntries;
    int32_t CatalogueCount = 0;
    std::vector<OrderItem> OrderItems; // only the first OrderItemCount records count
    int32_t OrderItemCount = 0;

    int32_t SelectedCatalogueRow = 0; // 1-based grid rows, 0 before the first selection
    int32_t SelectedOrderRow = 0;

    // The platform seams; the program installs the real ones, tests their fakes.
    IUserInteraction* Ui = nullptr;
    IHttpClient* Http = nullptr;
    IClock* Clock = nullptr;
};

// The one shared instance.
AppState& App();
