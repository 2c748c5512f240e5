#pragma once

#include <Quillkit/Controls/PictureBox.h>
#include <Quillkit/Hosting/UserControl.h>
#include <Quillkit/Objects/MemberTable.h>
#include <Quillkit/Objects/TypeInfo.h>

#include <memory>

// A picture box that always shows its picture stretched over its whole area, proportions not
// kept. The picture stays at its natural size in a hidden holder and is copied, scaled, onto the
// visible surface whenever the picture or the control's size changes.
class QuillPictureBox : public platform::DispatchFromTable<QuillPictureBox, platform::UserControl>
{
public:
    QuillPictureBox();

    static const platform::MemberTable<QuillPictureBox> &memberTable();
    static platform::ClassInfo classInfo();

    // Takes the picture object itself (by reference only: there is no getter).
    void setPicture(const platform::Variant &picture);

    void UserControl_Resize() override;

private:
    void ShowStretched();

    std::shared_ptr<platform::PictureBox> picAux;
    std::shared_ptr<platform::PictureBox> pic;
};
