#pragma once

namespace orvandel {

// Keeps Qt's own warnings ("QImage::setColor: Index out of bound") from the user, so that a
// command's one message is all that reaches standard error; only a fatal one, which ends
// the program, is shown there. When ORVANDEL_DEBUG names a file, every message is appended
// to it, for whoever looks into a problem. Call it first thing in main().
void RouteQtMessages();

}  // namespace orvandel
