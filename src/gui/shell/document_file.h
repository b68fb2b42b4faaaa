#pragma once

#include <QString>

namespace orvandel::gui {

inline constexpr char kDocumentFileName[] = "document.txt";

// The file the Documentation command shows: document.txt in the data folder of the
// installed program, found from the folder that holds the program, when it is there;
// else "document.txt", read from the current folder.
QString DocumentFile(const QString& program_folder);

// The installed program's data folder for a program in program_folder.
QString InstalledDataFolder(const QString& program_folder);

}  // namespace orvandel::gui
