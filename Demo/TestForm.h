#pragma once

#include <Quillkit/Controls/CommandButton.h>
#include <Quillkit/Controls/Timer.h>
#include <Quillkit/Hosting/ComponentHost.h>
#include <Quillkit/Hosting/HostForm.h>

#include <memory>

// The demonstration form: one of each Quillkit control, created by class id from the form's
// saved form file, two buttons and a timer. Its event procedures call the controls by member id.
class TestForm
{
public:
    // Loads the saved form file and its controls (each Quill control receives its saved state).
    TestForm(platform::ComponentHost &host, const QString &formFile);

    platform::HostForm &form() { return *m_form; }
    platform::Timer &Timer1() { return *m_Timer1; }

    // Fills the combo box and loads the picture. Errors are not handled here: the caller reports
    // them, as the runtime's default handling does.
    void Form_Load();
    void Command1_Click();
    void Command2_Click();
    void Timer1_Timer();

private:
    platform::DispatchPtr controlOf(const QString &name) const;

    std::unique_ptr<platform::HostForm> m_form;
    platform::DispatchPtr QuillComboBox1;
    platform::DispatchPtr QuillPictureBox1;
    platform::DispatchPtr QuillPictureBox1Extender;
    std::shared_ptr<platform::CommandButton> m_Command1;
    std::shared_ptr<platform::CommandButton> m_Command2;
    std::shared_ptr<platform::Timer> m_Timer1;
};
