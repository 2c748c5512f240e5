// A form drawn in Qt Designer with Quillkit's widgets.
//   quillkit-form-example             the form as uic compiled it into the program
//   quillkit-form-example --loader    the .ui file loaded at run time, through the Designer plugin
//   add --report to print what the controls hold and quit.
#include "ui_QuillkitForm.h"

#include <Quillkit/Value/RuntimeError.h>

#include <QApplication>
#include <QFile>
#include <QMetaEnum>
#include <QUiLoader>
#include <cstdio>
#include <memory>

namespace {

std::unique_ptr<QWidget> makeForm(bool atRunTime)
{
    if (atRunTime) {
        QUiLoader loader;
        QFile file(QStringLiteral(QUILLKIT_FORM_UI));
        std::unique_ptr<QWidget> form(loader.load(&file));
        if (!form)
            std::fprintf(stderr, "%s\n", qPrintable(loader.errorString()));
        return form;
    }
    auto form = std::make_unique<QWidget>();
    Ui::QuillkitForm ui;
    ui.setupUi(form.get());
    return form;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QStringList arguments = QApplication::arguments();
    try {
        const std::unique_ptr<QWidget> form = makeForm(arguments.contains("--loader"));
        auto *fruit = form ? form->findChild<QuillComboBoxWidget *>("fruit") : nullptr;
        auto *amount = form ? form->findChild<QuillInputBoxWidget *>("amount") : nullptr;
        if (!fruit || !amount) {
            std::fprintf(stderr, "the form lacks its Quillkit widgets\n");
            return 1;
        }
        fruit->AddItem("Apple");
        fruit->AddItem("Grape");
        QObject::connect(fruit, &QuillComboBoxWidget::Click, [] { std::printf("Click\n"); });

        if (arguments.contains("--report")) {
            const QMetaEnum styles = QMetaEnum::fromType<QuillInputBoxWidget::style__>();
            std::printf("fruit: searching for \"%s\"\n", qPrintable(fruit->SearchText()));
            std::printf("amount: %s in %s\n", qPrintable(amount->Text()),
                styles.valueToKey(amount->style_()));
            return 0;
        }
        form->show();
        return QApplication::exec();
    } catch (const platform::RuntimeError &error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
}
