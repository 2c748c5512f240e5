#pragma once

#include <Quillkit/Objects/Guid.h>

// The fixed identifiers of the Quillkit type library, its classes and their interfaces. Hosts
// store them in saved forms and projects: once published they never change.
namespace quillkit::ids {

inline const platform::Guid Library
    = platform::Guid::fromString("{1FD325B1-9FE0-409A-A915-CA924973664C}");

inline const platform::Guid QuillComboBox
    = platform::Guid::fromString("{58FA236B-E40A-488F-82E7-F358AE40A7AA}");
inline const platform::Guid QuillComboBoxInterface
    = platform::Guid::fromString("{EB4CB1E1-A50E-45BE-8E23-CDE0DC610075}");
inline const platform::Guid QuillComboBoxEvents
    = platform::Guid::fromString("{FA9894D3-E960-4961-B963-E44201B4DCB6}");

inline const platform::Guid QuillForm
    = platform::Guid::fromString("{4C379369-0BAC-4C62-A03F-E4D785591A21}");
inline const platform::Guid QuillFormInterface
    = platform::Guid::fromString("{968D80A8-1BB9-4873-961B-CB3105967FF2}");
inline const platform::Guid QuillFormEvents
    = platform::Guid::fromString("{567B0FE3-6F66-4377-B692-743EDC77A9B5}");

inline const platform::Guid QuillInputBox
    = platform::Guid::fromString("{EEB3C931-DBC9-4D38-80EE-E5A18539B31D}");
inline const platform::Guid QuillInputBoxInterface
    = platform::Guid::fromString("{D6253E25-4322-471A-A01F-29EA089467EC}");
inline const platform::Guid QuillInputBoxEvents
    = platform::Guid::fromString("{C34082C6-185B-4B6D-BC3A-50311488ED6A}");

inline const platform::Guid QuillPictureBox
    = platform::Guid::fromString("{B42E5F56-9A12-417A-A2F8-C7ECC4D37FFE}");
inline const platform::Guid QuillPictureBoxInterface
    = platform::Guid::fromString("{9C260AC3-1E95-4DB0-A240-7D106CED45ED}");
inline const platform::Guid QuillPictureBoxEvents
    = platform::Guid::fromString("{F42D50B9-CB24-4004-B1C6-64DCB644F8C4}");

} // namespace quillkit::ids
