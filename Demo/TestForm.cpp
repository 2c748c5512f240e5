#include "TestForm.h"

#include <Quillkit/Hosting/Extender.h>
#include <Quillkit/QuillkitMembers.h>
#include <Quillkit/System/AppPath.h>
#include <Quillkit/System/LoadPicture.h>
#include <Quillkit/Value/Conversions.h>
#include <Quillkit/Value/Random.h>

using namespace platform;

namespace ComboBoxMember = Quillkit::QuillComboBox::Member;
namespace PictureBoxMember = Quillkit::QuillPictureBox::Member;

TestForm::TestForm(ComponentHost &host, const QString &formFile)
    : m_form(HostForm::load(host, readFormFile(formFile)))
{
    QuillComboBox1 = controlOf(QStringLiteral("QuillComboBox1"));
    QuillPictureBox1 = controlOf(QStringLiteral("QuillPictureBox1"));
    QuillPictureBox1Extender = m_form->site(QStringLiteral("QuillPictureBox1"))->extender();
    m_Command1 = std::dynamic_pointer_cast<CommandButton>(
        m_form->standardControl(QStringLiteral("Command1")));
    m_Command2 = std::dynamic_pointer_cast<CommandButton>(
        m_form->standardControl(QStringLiteral("Command2")));
    m_Timer1 = std::dynamic_pointer_cast<Timer>(m_form->standardControl(QStringLiteral("Timer1")));
    if (!m_Command1 || !m_Command2 || !m_Timer1)
        throw RuntimeError(
            ErrorNumber::InvalidFileFormat, formFile + QStringLiteral(": a control is missing"));
    m_Command1->onClick = [this] { Command1_Click(); };
    m_Command2->onClick = [this] { Command2_Click(); };
    m_Timer1->onTimer = [this] { Timer1_Timer(); };
}

DispatchPtr TestForm::controlOf(const QString &name) const
{
    ControlSite *site = m_form->site(name);
    if (!site)
        throw RuntimeError(
            ErrorNumber::InvalidFileFormat, QStringLiteral("the form has no %1").arg(name));
    return site->control();
}

void TestForm::Form_Load()
{
    QuillComboBox1->invoke(ComboBoxMember::Clear, InvokeKind::Method, {});
    for (const char *item : {"Item 1", "Item 2", "Item 3", "Item 4", "Velk"})
        QuillComboBox1->invoke(ComboBoxMember::AddItem, InvokeKind::Method, {Variant(item)});
    for (int i = 1; i <= 5000; ++i) {
        QString text;
        for (int k = 0; k < 6; ++k) {
            // Single-precision arithmetic, then the character code rounds half to even.
            const float code = nextRandom() * 20.0f + 65.0f;
            text += QChar(static_cast<char16_t>(roundHalfEven(code)));
        }
        QuillComboBox1->invoke(ComboBoxMember::AddItem, InvokeKind::Method, {Variant(text)});
    }
    const StdPicturePtr picture = LoadPicture(appPath() + QStringLiteral("/ChartSample.jpg"));
    QuillPictureBox1->invoke(
        PictureBoxMember::Picture, InvokeKind::PropertySetRef, {Variant(DispatchPtr(picture))});
}

void TestForm::Command1_Click()
{
    QuillComboBox1->invoke(ComboBoxMember::ResetMemory, InvokeKind::Method, {});
}

void TestForm::Command2_Click()
{
    m_Timer1->setEnabled(!m_Timer1->Enabled());
}

void TestForm::Timer1_Timer()
{
    // Every statement's error is ignored on its own: a refused size skips that statement only.
    try {
        const float width = toSingle(
            QuillPictureBox1Extender->invoke(ExtenderDispId::Width, InvokeKind::PropertyGet, {}));
        const float value = width + nextRandom() * 200.0f - 100.0f;
        QuillPictureBox1Extender->invoke(
            ExtenderDispId::Width, InvokeKind::PropertyLet, {Variant(value)});
    } catch (const RuntimeError &) { }
    try {
        const float height = toSingle(
            QuillPictureBox1Extender->invoke(ExtenderDispId::Height, InvokeKind::PropertyGet, {}));
        const float value = height + nextRandom() * 200.0f - 100.0f;
        QuillPictureBox1Extender->invoke(
            ExtenderDispId::Height, InvokeKind::PropertyLet, {Variant(value)});
    } catch (const RuntimeError &) { }
}
