// Loading a form: any form file that reads is built into a form or refused with a runtime error,
// controls from the test control library reading their saved state on the way. A form that was
// built saves to a form that builds into the same form again: the same caption, client size,
// font and text colour, and the same saved text. Every form is destroyed before the next input,
// what it left for later included, so that nothing grows from one input to the next.
#include "FuzzApplication.h"

#include <Quillkit/Controls/NotificationScope.h>
#include <Quillkit/Hosting/ComponentHost.h>
#include <Quillkit/Hosting/FormFile.h>
#include <Quillkit/Hosting/HostForm.h>
#include <Quillkit/Hosting/ServerRegistration.h>
#include <Quillkit/Objects/StdFont.h>
#include <Quillkit/Value/RuntimeError.h>

#include <cstdlib>
#include <dlfcn.h>

using platform::HostForm;

namespace {

FuzzApplication *application;
platform::ComponentHost *host;

void check(bool condition)
{
    if (!condition)
        std::abort();
}

bool sameFont(platform::StdFont &a, platform::StdFont &b)
{
    for (const char *attribute :
        {"Name", "Size", "Weight", "Italic", "Underline", "Strikethrough", "Charset"}) {
        const QString name = QString::fromLatin1(attribute);
        if (!(a.get(name) == b.get(name)))
            return false;
    }
    return true;
}

void checkReloads(const HostForm &form, const QString &saved)
{
    const auto again
        = HostForm::load(*host, platform::parseFormText(saved, QStringLiteral("saved.frm")));
    check(again->Caption() == form.Caption());
    check(again->ClientWidth() == form.ClientWidth());
    check(again->ClientHeight() == form.ClientHeight());
    check(again->ForeColor() == form.ForeColor());
    check(sameFont(*again->Font(), *form.Font()));
    check(again->sites().size() == form.sites().size());
    check(platform::formText(again->save()) == saved);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    application = new FuzzApplication;
    // The library's coverage counters are registered with the fuzzer when it is first loaded and
    // must stay mapped: a host unloads a library it no longer needs, so it is pinned here.
    // QUILL_TEST_MODULE in the environment names a copy of the library, so that a long run does
    // not load one the build is relinking.
    const QByteArray module = qEnvironmentVariableIsSet("QUILL_TEST_MODULE")
        ? qgetenv("QUILL_TEST_MODULE")
        : QByteArray(QUILL_TEST_MODULE);
    if (!dlopen(module.constData(), RTLD_NOW | RTLD_NODELETE))
        std::abort();
    platform::registerLibraryFile(QString::fromLocal8Bit(module));
    host = new platform::ComponentHost;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text
        = QString::fromUtf8(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    platform::SavedForm saved;
    try {
        saved = platform::parseFormText(text, QStringLiteral("fuzz.frm"));
    } catch (const platform::RuntimeError &) {
        return 0;
    }
    std::unique_ptr<HostForm> form;
    try {
        form = HostForm::load(*host, saved);
    } catch (const platform::RuntimeError &) {
        // Refused; what was built so far is gone with the form.
    }
    if (form)
        checkReloads(*form, platform::formText(form->save()));
    form.reset();
    platform::flushDestroyedWhenSafe();
    return 0;
}
