#pragma once

#include "../QuillPlatformExport.h"

#include "../Objects/PropertyBag.h"

#include <QString>
#include <functional>
#include <map>
#include <optional>
#include <vector>

namespace platform {

/// Where saved data was read from, so that an error found while a form is built from it can
/// name the file and the line. Data made in code has no file.
struct QUILL_PLATFORM_EXPORT SourcePlace
{
    ///@{
    /// The file's name (empty for data made in code) and the line (from 1).
    QString file;
    int line = 0;
    ///@}
    /// Keys of a property bag (in lower case) and the lines they stand on.
    std::map<QString, int> keyLines;

    /// The line of a key, or the place's own line when the key has none.
    int lineOf(const QString &key) const;
    /// Runs a step of building from the data; an error it raises comes back naming the file and
    /// `line` ahead of its own text, with its own number.
    void at(int line, const std::function<void()> &step) const;
};

/// One control of a saved form: its kind (a ProgID or "{class id}" for a control from a library,
/// or the name of a standard control such as CommandButton), its name, position and size in
/// twips, tab index and saved state.
struct QUILL_PLATFORM_EXPORT SavedControl
{
    QString kind; ///< see above
    QString name; ///< the control's name on the form
    double left = 0; ///< position, twips
    double top = 0; ///< position, twips
    std::optional<double> width; ///< size, twips; none for a control invisible at run time
    std::optional<double> height; ///< size, twips
    std::optional<int> tabIndex; ///< none when the file gives none
    PropertyBag bag; ///< the control's saved state
    SourcePlace place; ///< the Begin line and the lines of the bag's keys
};

/// A saved form: its name, its own properties and its controls, in the order they were saved.
struct QUILL_PLATFORM_EXPORT SavedForm
{
    QString name; ///< the form's name
    PropertyBag properties; ///< the form's own: Caption, ClientWidth, ClientHeight, Font, ...
    std::vector<SavedControl> controls; ///< in the order they were saved
    SourcePlace place; ///< the Form line and the lines of the form's own keys
};

/// How deep arrays may nest in the text of a saved form.
constexpr int MaxArrayDepth = 64;

/// The readable text of a saved form, one value a line:
///
///     Form TestForm
///         Caption = String "TestForm"
///         Font = Font(Name = "Tahoma", Size = 8.25, Weight = 700, Italic = False, ...)
///         Begin Quillkit.QuillComboBox QuillComboBox1 (120, 120, 3495, 315) TabIndex 0
///             _extentx = Long 6165
///             searchtext = String "Texto a buscar"
///         End
///     End
///
/// Values name their kind: Empty, Null, Nothing, Integer n, Long n, Byte n, Single x, Double x,
/// Currency x, Date x, Boolean True|False, Error n, String "...", Font(...), Array(v, v, ...).
/// Strings escape `\"`, `\\`, `\n`, `\r`, `\t` and `\uXXXX`; numbers use `.` and round-trip
/// exactly. Lines starting with `#` are comments. Arrays nest at most MaxArrayDepth deep.
QUILL_PLATFORM_EXPORT QString formText(const SavedForm &form);
/// Raises Invalid file format naming the source, the line and what is wrong.
QUILL_PLATFORM_EXPORT SavedForm parseFormText(const QString &text, const QString &sourceName);

/// Raises File not found for a missing file.
QUILL_PLATFORM_EXPORT SavedForm readFormFile(const QString &path);
/// Written atomically; raises Path/File access error when it cannot be.
QUILL_PLATFORM_EXPORT void writeFormFile(const QString &path, const SavedForm &form);

} // namespace platform
