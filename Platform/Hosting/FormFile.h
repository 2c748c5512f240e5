#pragma once

#include "PropertyBag.h"

#include <QString>
#include <optional>
#include <vector>

namespace platform {

// One control of a saved form: its kind (a ProgID or "{class id}" for a control from a library,
// or the name of a standard control such as CommandButton), its name, position and size in
// twips, tab index and saved state.
struct SavedControl
{
    QString kind;
    QString name;
    double left = 0;
    double top = 0;
    std::optional<double> width;
    std::optional<double> height;
    std::optional<int> tabIndex;
    PropertyBag bag;
};

struct SavedForm
{
    QString name;
    PropertyBag properties; // the form's own: Caption, ClientWidth, ClientHeight, Font, ...
    std::vector<SavedControl> controls;
};

// The readable text of a saved form, one value a line:
//
//   Form TestForm
//       Caption = String "TestForm"
//       Font = Font(Name = "Tahoma", Size = 8.25, Weight = 700, Italic = False, ...)
//       Begin Quillkit.QuillComboBox QuillComboBox1 (120, 120, 3495, 315) TabIndex 0
//           _extentx = Long 6165
//           searchtext = String "Texto a buscar"
//       End
//   End
//
// Values name their kind: Empty, Null, Nothing, Integer n, Long n, Byte n, Single x, Double x,
// Currency x, Date x, Boolean True|False, Error n, String "...", Font(...), Array(v, v, ...).
// Strings escape \" \\ \n \r \t and \uXXXX; numbers use "." and round-trip exactly. Lines
// starting with # are comments.
QString formText(const SavedForm &form);
// Raises Invalid file format naming the source, the line and what is wrong.
SavedForm parseFormText(const QString &text, const QString &sourceName);

// Raises File not found for a missing file.
SavedForm readFormFile(const QString &path);
// Written atomically; raises Path/File access error when it cannot be.
void writeFormFile(const QString &path, const SavedForm &form);

} // namespace platform
