#pragma once

#include "orvandel/generator/generator_state.h"
#include "orvandel/generator/panel_texts.h"

namespace orvandel {

// Reads GeneratorSettings and HeightTable from the panel's texts, checks them, lays out
// GridLayout for a map image of the given size (its triangle count too) and sets up the
// ViewMapping from map pixels to world coordinates. What it stored before a check failed
// stays stored.
//
// Throws RuntimeFailure for a field that holds no number, and Refusal "Invalid interval!",
// "Division by zero - Interval too small!", "Interval too large - the grid has no cells!"
// or "Interval too small - the grid has too many cells!"; each as a FieldFailure that names
// the field at fault (the interval for the refusals).
void ReadGeneratorSettings(const PanelTexts& panel, int image_width, int image_height,
                           GeneratorState& state);

}  // namespace orvandel
