#pragma once

// The parts of the whole-program benchmark; each prints its figures beside
// their baselines and says whether its target is met.

#include "BenchCatalogue.h"

namespace Bench {

class Profile;
struct Session;

constexpr int kProducts = 100000;
constexpr int kOrderLines = 1000;

// Start-up in this process: the five windows, FormShow, show and first
// rendering, on `large` against `small` and against the catalogue load alone.
void MeasureStartup(const Profile& profile, const CatalogueFolder& large,
                    const CatalogueFolder& small);

// The real executable started on a private profile with a loopback proxy.
void MeasureRealProgram(const CatalogueFolder& large, const CatalogueFolder& small);

// The following work on a started session over `large`.
void MeasureCatalogue(Session& session, const CatalogueFolder& large);
void MeasureGridFill(Session& session);
void MeasureSearch(Session& session);
void MeasureOrder(Session& session, const Profile& profile);
void MeasurePictures(Session& session, const CatalogueFolder& large);

// Peak memory of a start-up and an order, each in a fresh process running
// MemoryChild; it must run while this process is still small.
void MeasureMemory(const CatalogueFolder& large, const CatalogueFolder& small);
int MemoryChild(const CatalogueFolder& catalogue);

} // namespace Bench
