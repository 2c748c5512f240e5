#pragma once

#include "WidgetCode.h"

#include <QStringList>

// The reference of a control library for its hosts, one HTML page per creatable class and an
// index, written from the type library itself: ProgID and class id, every property, method and
// event with its id, parameters, types and attributes, the enumerations, and each member's form
// on the typed widget. A page shows the pictures whose file name starts with its class's name
// and a dash ("QuillForm-translucent.png"); a picture with "@2x" before the extension is the
// same picture drawn at twice the scale, offered to screens that have it.
namespace platform::typegen {

std::vector<GeneratedText> referencePages(
    const LibraryInfo &library, const QStringList &pictures, const QString &pictureFolder);

} // namespace platform::typegen
