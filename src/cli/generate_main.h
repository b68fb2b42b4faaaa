#pragma once

#include "cli_args.h"

namespace orvandel::cli {

// Opens the map as "Open BMP image file" does and runs the generate command with the
// panel's texts, OUTPUT standing for the name chosen in the save dialog. Throws Failure.
void RunGenerate(const GenerateArgs& args);

}  // namespace orvandel::cli
