// The Quillkit library: its descriptor (type library, classes, resources) and its exported
// entry points, which hand the descriptor to the hosting runtime.
#include "QuillComboBox.h"
#include "QuillForm.h"
#include "QuillInputBox.h"
#include "QuillPictureBox.h"
#include "QuillkitIds.h"
#include "ToolboxBitmaps.h"

#include <Quillkit/Hosting/LibraryDescriptor.h>

using namespace platform;

namespace {

LibraryInfo quillkitLibrary()
{
    LibraryInfo info;
    info.id = quillkit::ids::Library;
    info.name = QStringLiteral("Quillkit");
    info.helpString = QStringLiteral("Quillkit");
    info.majorVersion = 4;
    info.minorVersion = 0;
    info.locale = 0x0409;
    info.flags = LibFlagControl;
    info.imports = {QStringLiteral("stdole2.tlb"), QStringLiteral("quillcontrols.tlb")};
    info.version = {QStringLiteral("Quillkit components"), QStringLiteral("Quillkit"),
        QStringLiteral("Quillkit"), QStringLiteral("Quillkit.ocx"), QStringLiteral("1.00.0001"),
        QStringLiteral("1.00.0001"), 0x040A, 0x04B0, true};
    info.enums = {{QStringLiteral("style"),
        {{QStringLiteral("INPUT_STANDARD"), 0, QStringLiteral("INPUT_STANDARD")},
            {QStringLiteral("INPUT_CURRENCY"), 1, QStringLiteral("INPUT_CURRENCY")}}}};
    info.bitmaps = quillkit::toolboxBitmaps();
    info.bitmapsAt2x = quillkit::toolboxBitmapsAt2x();
    // The classes, each described by its own unit.
    info.classes = {
        QuillComboBox::classInfo(),
        QuillInputBox::classInfo(),
        QuillForm::classInfo(),
        QuillPictureBox::classInfo(),
    };
    return info;
}

LibraryDescriptor &descriptor()
{
    static LibraryDescriptor library(quillkitLibrary());
    return library;
}

} // namespace

QUILL_LIBRARY_ENTRY_POINTS(descriptor())
