// "Configuracion" (command 1058): the insertion position, the sound switch, the export
// format, the margins and the ambient colour, with a one-fifth-scale preview of the page.
// The values are the settings globals; they are saved when the dialog goes away.
#pragma once
#include <cstdint>
#include <string>

#include "platform/gfx/gfx.h"
#include "platform/ui/ui.h"

extern int32_t configurationDialogOpen;   // re-entry guard

// The dialog's control ids.
namespace configuration_ids {
inline constexpr int kX = 2003, kY = 2004, kSound = 2006;
// The image formats' options, PNG to BMP; the one chosen is imageFormatOption.
inline constexpr int kPng = 2008, kJpeg = 2009, kGif = 2010, kTif = 2011, kBmp = 2012;
inline constexpr int kPreview = 2013, kPaperLabel = 2014, kNoMargins = 2015;
inline constexpr int kLeftList = 2017, kRightList = 2018, kTopList = 2020, kBottomList = 2022;
inline constexpr int kLeftLabel = 2016, kRightLabel = 2019, kTopLabel = 2021, kBottomLabel = 2023;
inline constexpr int kSalir = 2024, kAmbientOn = 2025, kAmbientSwatch = 2026;
}  // namespace configuration_ids

// Runs the dialog modally.
int ShowConfigurationDialog(ui::Window parent);
intptr_t ConfigurationDialogProc(ui::Window window, ui::Msg msg, intptr_t first, intptr_t second);

// The preview's arithmetic: both operands rounded half to even, then divided without remainder.
int64_t RoundedDiv(long double a, long double b);
// The preview bitmap's size for the paper in the settings (at least 1 x 1).
int MarginPreviewWidth();
int MarginPreviewHeight();
// The ambient area as a box inside the margins, when the ambient colour is on.
void FillMarginAreaPreview(gfx::Surface& preview);
// The four margin lines, dotted, unless "No quiero margenes" is on.
void DrawMarginPreview(gfx::Surface& preview);

// True when (x, y) lies on the paper of the settings: 0 < x <= its width in pixels and
// 0 < y <= its height, the pixel sizes unrounded.
bool IsInsertPositionAllowed(long double x, long double y);
// "El area permitida es de  793.70078739x 1122.519685023 pixeles " and the second line.
std::string InsertAreaMessage();
// "Margenes papel  210x 297 mm" for the paper of the settings.
std::string PaperMarginsCaption();

// Puts the guard back and lets the preview go, as the run starts.
void ResetConfigurationState();
