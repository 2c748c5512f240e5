// A host of Quillkit's controls, built against the installed package alone. It opens a form,
// places a QuillComboBox and a QuillInputBox on it by ProgID, sets and reads their members,
// receives their events and saves the form to a file.
//
//   quillkit-host-example [FILE]     the saved form goes to FILE (default: ExampleForm.frm)
//
// The controls come from the Quillkit library, loaded at run time through the registry: an
// installation registers it machine-wide, so no registration step is needed.
#include <Quillkit/Hosting/FormFile.h>
#include <Quillkit/Hosting/HostForm.h>
#include <Quillkit/QuillkitMembers.h>
#include <Quillkit/Value/Conversions.h>
#include <Quillkit/Value/RuntimeError.h>

#include <QApplication>
#include <cstdio>

using namespace platform;

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QString file = argc > 1 ? QString::fromLocal8Bit(argv[1]) : "ExampleForm.frm";
    try {
        ComponentHost host;
        HostForm form(host, "ExampleForm");
        form.setCaption("Quillkit host example");
        form.setClientSize(4800, 1800); // twips: 1440 to the inch

        // Every event of every control, by its id.
        int events = 0;
        const auto report = [&events](const char *control) {
            return [&events, control](DispId event, const Args &) {
                ++events;
                std::printf("event %d from %s\n", event, control);
            };
        };

        // Member and event ids come from QuillkitMembers.h, written from the library itself.
        namespace Combo = Quillkit::QuillComboBox;
        namespace Input = Quillkit::QuillInputBox;
        // A control placed with no saved state keeps what it set up itself (zero, empty); one
        // restored from an empty bag starts with every property at its default.
        const PropertyBag defaults;
        ControlSite &fruit
            = form.addControl(Combo::ProgId, "Fruit", {120, 120, 3495, 315}, &defaults);
        fruit.onEvent = report("Fruit");
        for (const char *item : {"Apple", "Grape", "Plum"})
            fruit.control()->invoke(Combo::Member::AddItem, InvokeKind::Method, {Variant(item)});
        // The drop-down list inside, a standard combo box, is called by name.
        const DispatchPtr list = fruit.control()
                                     ->invoke(Combo::Member::ComboBox, InvokeKind::PropertyGet, {})
                                     .object();
        list->let("ListIndex", Variant(int16_t(1)));
        std::printf("Fruit: %s of %d items\n", qPrintable(toText(list->get("Text"))),
            toLong(list->get("ListCount")));

        ControlSite &amount
            = form.addControl(Input::ProgId, "Amount", {120, 600, 2000, 315}, &defaults);
        amount.onEvent = report("Amount");
        const DispatchPtr box = amount.control();
        box->invoke(Input::Member::style, InvokeKind::PropertyLet,
            {Variant(Quillkit::style::INPUT_CURRENCY)});
        box->invoke(Input::Member::Text, InvokeKind::PropertyLet, {Variant("1234.5")});
        std::printf("Amount: %s\n",
            qPrintable(toText(box->invoke(Input::Member::Text, InvokeKind::PropertyGet, {}))));

        form.Show();
        QApplication::processEvents();

        writeFormFile(file, form.save());
        std::printf("saved %s with %d events received\n", qPrintable(file), events);
        return events > 0 ? 0 : 1;
    } catch (const RuntimeError &error) {
        std::fprintf(stderr, "quillkit-host-example: %s (error %d)\n", qPrintable(error.text()),
            error.number());
        return 1;
    }
}
