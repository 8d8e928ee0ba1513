// SPDX-License-Identifier: GPL-3.0-or-later
#include "AboutPage.h"

#include "Accessibility.h"
#include "AnchorLayout.h"
#include "LayoutBuilder.h"

namespace kestrava {

namespace {

using K = ControlKind;
using F = ControlFlag;
constexpr FontStyle Text{FontFace::Arial, 9.75, false};
constexpr FontStyle Condition{FontFace::MsSansSerif, 8.25, true};
constexpr FontStyle ConditionHeading{FontFace::Arial, 9.75, true};
constexpr ControlFlags Paragraph = F::Centred | F::Middle | F::WordWrap | F::GreyBackground;

// clang-format off
constexpr ControlRow Layout[] = {
    {u"framAbout", K::Frame, {}, {360, 480, 9135, 6495}},

    {u"framAboutTitle", K::Frame, u"framAbout", {1440, 240, 5985, 1845}},
    {u"Image1", K::Picture, u"framAboutTitle", {720, 120, 4560, 795}, u"banner"},
    {u"lblProgramName", K::Label, u"framAboutTitle", {120, 960, 5745, 255}, u"Quorvel  V1.3", {}, Text, {}, F::Centred},
    {u"lblAuthor", K::Label, u"framAboutTitle", {120, 1215, 5745, 255},
     QT_TRANSLATE_NOOP("kestrava::AboutPage", "Written by Dunsmore"), {}, Text, {},
     F::Centred},
    {u"lblWebAddress", K::Label, u"framAboutTitle", {120, 1500, 2835, 255}, u"www.kestrava.example", {}, Text,
     TextColour::DarkBlue, F::Centred},
    {u"lblEmailAddress", K::Label, u"framAboutTitle", {3030, 1500, 2835, 255}, u"dunsmore@kestrava.example", {}, Text,
     TextColour::DarkBlue, F::Centred},

    {u"framConditions", K::Frame, u"framAbout", {1425, 2280, 6015, 3135}},
    {u"lblConditionsHeading", K::Label, u"framConditions", {120, 180, 5775, 255},
     QT_TRANSLATE_NOOP("kestrava::AboutPage", "Conditions of Use :"), {},
     ConditionHeading, {}, F::Centred},
    {u"lblConditions1", K::Label, u"framConditions", {120, 480, 5775, 615},
     QT_TRANSLATE_NOOP("kestrava::AboutPage",
                       "Kestrava is free: you may copy it and pass it on to others free of charge, as long as its "
                       "accompanying ReadMe document goes with it."),
     {}, Condition, {}, Paragraph},
    {u"lblConditions2", K::Label, u"framConditions", {120, 1140, 5775, 615},
     QT_TRANSLATE_NOOP("kestrava::AboutPage", "You use Kestrava entirely at your own risk."),
     {}, Condition, {}, Paragraph},
    {u"lblConditions3", K::Label, u"framConditions", {120, 1800, 5775, 615},
     QT_TRANSLATE_NOOP("kestrava::AboutPage",
                       "The author accepts no liability for any damage or loss arising from the use or misuse of this "
                       "program."),
     {},
     Condition, {}, Paragraph},
    {u"lblConditions4", K::Label, u"framConditions", {120, 2460, 5775, 615},
     QT_TRANSLATE_NOOP("kestrava::AboutPage",
                       "Please e-mail your feedback and suggestions to the address above: they are always welcome."),
     {}, Condition,
     {}, Paragraph},

    {u"framThanks", K::Frame, u"framAbout", {1440, 5520, 5985, 675}},
    {u"lblThanks", K::Label, u"framThanks", {120, 135, 5745, 480},
     QT_TRANSLATE_NOOP("kestrava::AboutPage",
                       "Many thanks to everyone who sent in comments and suggestions: this version owes a great deal "
                       "to you."),
     {}, Text,
     {}, F::Centred | F::Middle | F::WordWrap},
};
// clang-format on

// Nothing here grows: in a larger window the frame stays in the middle.
constexpr ControlAnchor Anchoring[] = {
    {u"framAbout", Anchor::HalfLeft | Anchor::HalfTop | Anchor::HalfRight | Anchor::HalfBottom},
};

// The banner's words, as a screen reader has no picture to go by.
constexpr AccessibleText Names[] = {
    {u"Image1", QT_TRANSLATE_NOOP("kestrava::AboutPage", "Kestrava: many files, one format")},
};

} // namespace

AboutPage::AboutPage(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("AboutPage"));
    LayoutBuilder::build(this, Layout);
    new AnchorLayout(this, Anchoring); // owned by the page
    Accessibility::describe(this, Names, {});
}

} // namespace kestrava
