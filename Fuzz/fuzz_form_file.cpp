// The form file: any text is read into a form or refused with Invalid file format, and a form
// that was read writes out to text that reads back to the same form and writes out to the same
// text again. Inputs are UTF-8 text of up to a megabyte (run with -max_len=1048576).
#include <Quillkit/Hosting/FormFile.h>
#include <Quillkit/Objects/StdFont.h>
#include <Quillkit/Value/RuntimeError.h>

#include <cmath>
#include <cstdlib>

using platform::PropertyBag;
using platform::SavedControl;
using platform::SavedForm;
using platform::Variant;
using platform::VariantKind;

namespace {

void check(bool condition)
{
    if (!condition)
        std::abort();
}

// Numbers are equal when they print the same: NaN equals NaN, and 0 and -0 differ.
bool sameNumber(double a, double b)
{
    if (std::isnan(a) || std::isnan(b))
        return std::isnan(a) && std::isnan(b);
    return a == b && std::signbit(a) == std::signbit(b);
}

bool sameValue(const Variant &a, const Variant &b);

bool sameFont(const platform::DispatchPtr &a, const platform::DispatchPtr &b)
{
    if (!a || !b)
        return !a && !b;
    const auto fa = std::dynamic_pointer_cast<platform::StdFont>(a);
    const auto fb = std::dynamic_pointer_cast<platform::StdFont>(b);
    if (!fa || !fb)
        return false;
    for (const char *attribute :
        {"Name", "Size", "Weight", "Italic", "Underline", "Strikethrough", "Charset"}) {
        const QString name = QString::fromLatin1(attribute);
        if (!sameValue(fa->get(name), fb->get(name)))
            return false;
    }
    return true;
}

bool sameValue(const Variant &a, const Variant &b)
{
    if (a.kind() != b.kind())
        return false;
    switch (a.kind()) {
    case VariantKind::Single:
        return sameNumber(a.singleValue(), b.singleValue());
    case VariantKind::Double:
    case VariantKind::Date:
        return sameNumber(a.doubleValue(), b.doubleValue());
    case VariantKind::Array: {
        const auto &ea = a.elements(), &eb = b.elements();
        if (ea.size() != eb.size())
            return false;
        for (size_t i = 0; i < ea.size(); ++i) {
            if (!sameValue(ea[i], eb[i]))
                return false;
        }
        return true;
    }
    case VariantKind::Object:
        return sameFont(a.object(), b.object());
    default:
        return a == b;
    }
}

bool sameBag(const PropertyBag &a, const PropertyBag &b)
{
    if (a.entries().size() != b.entries().size())
        return false;
    for (size_t i = 0; i < a.entries().size(); ++i) {
        if (a.entries()[i].key != b.entries()[i].key
            || !sameValue(a.entries()[i].value, b.entries()[i].value))
            return false;
    }
    return true;
}

bool sameOptional(const std::optional<double> &a, const std::optional<double> &b)
{
    return a.has_value() == b.has_value() && (!a || sameNumber(*a, *b));
}

bool sameControl(const SavedControl &a, const SavedControl &b)
{
    return a.kind == b.kind && a.name == b.name && sameNumber(a.left, b.left)
        && sameNumber(a.top, b.top) && sameOptional(a.width, b.width)
        && sameOptional(a.height, b.height) && a.tabIndex == b.tabIndex && sameBag(a.bag, b.bag);
}

bool sameForm(const SavedForm &a, const SavedForm &b)
{
    if (a.name != b.name || !sameBag(a.properties, b.properties)
        || a.controls.size() != b.controls.size())
        return false;
    for (size_t i = 0; i < a.controls.size(); ++i) {
        if (!sameControl(a.controls[i], b.controls[i]))
            return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text
        = QString::fromUtf8(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    SavedForm form;
    try {
        form = platform::parseFormText(text, QStringLiteral("fuzz.frm"));
    } catch (const platform::RuntimeError &error) {
        check(error.number() == static_cast<int32_t>(platform::ErrorNumber::InvalidFileFormat));
        return 0;
    }
    // What was read must write out, read back and write out again unchanged.
    const QString written = platform::formText(form);
    const SavedForm again = platform::parseFormText(written, QStringLiteral("written.frm"));
    check(sameForm(form, again));
    check(platform::formText(again) == written);
    return 0;
}
