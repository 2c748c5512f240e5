#pragma once

#include "../Objects/Dispatch.h"

namespace platform {

/// Member ids of the standard controls (StdFont's are its own). Properties that the component model
/// already numbers keep those numbers, so that a host asking by the standard id finds them;
/// the rest are ours. Hosts may have stored any of them, so none ever changes.
namespace ControlDispId {
///@{
/// Standard ids.
constexpr DispId Value = StandardDispId::Value;
constexpr DispId AutoSize = -500;
constexpr DispId BackColor = -501;
constexpr DispId BorderStyle = -504;
constexpr DispId Font = StandardDispId::Font;
constexpr DispId ForeColor = -513;
constexpr DispId Enabled = -514;
/// Text is the default member of the controls that have one.
constexpr DispId Text = StandardDispId::Value;
constexpr DispId Caption = -518;
constexpr DispId Refresh = -550;
///@}

///@{
/// Common to every visual control.
constexpr DispId Left = 0x0100;
constexpr DispId Top = 0x0101;
constexpr DispId Width = 0x0102;
constexpr DispId Height = 0x0103;
constexpr DispId Visible = 0x0104;
constexpr DispId TabIndex = 0x0105;
constexpr DispId Name = 0x0106;
constexpr DispId SetFocus = 0x0107;
///@}

///@{
/// Text editing.
constexpr DispId SelStart = 0x0200;
constexpr DispId SelLength = 0x0201;
constexpr DispId SelText = 0x0202;
constexpr DispId Alignment = 0x0203;
constexpr DispId Locked = 0x0204;
constexpr DispId MaxLength = 0x0205;
///@}

///@{
/// Lists.
constexpr DispId AddItem = 0x0300;
constexpr DispId RemoveItem = 0x0301;
constexpr DispId Clear = 0x0302;
constexpr DispId List = 0x0303;
constexpr DispId ListCount = 0x0304;
constexpr DispId ListIndex = 0x0305;
constexpr DispId ItemData = 0x0306;
constexpr DispId NewIndex = 0x0307;
constexpr DispId TopIndex = 0x0308;
///@}

///@{
/// Buttons and pictures.
constexpr DispId Style = 0x0400;
constexpr DispId Picture = 0x0401;
constexpr DispId ScaleWidth = 0x0402;
constexpr DispId ScaleHeight = 0x0403;
constexpr DispId ScaleX = 0x0404;
constexpr DispId ScaleY = 0x0405;
constexpr DispId HDC = 0x0406;
constexpr DispId Cls = 0x0407;
///@}

/// Timer.
constexpr DispId Interval = 0x0500;

} // namespace ControlDispId

} // namespace platform
