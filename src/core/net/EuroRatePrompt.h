#pragma once

#include "core/seams/Interaction.h"
#include "core/text/NumberFormat.h"

// Asks for the euro rate in the "Курс евро" box until the user gives a number
// above 0; returns it unrounded. Cancelling keeps the value offered.
double PromptEuroRate(IUserInteraction& ui, const QString& prompt, double initialRate,
                      const TFormatSettings& dotFormat);
