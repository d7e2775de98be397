#include <gtest/gtest.h>

#include <ostream>

#include "ui/Application.h"
#include "ui/Form.h"
#include "ui/Label.h"
#include "ui/LabeledEdit.h"
#include "ui/Panel.h"

namespace {

class Layout : public testing::Test {
protected:
    void SetUp() override { TApplication::Initialize(); }
    TForm form{nullptr};
};

TEST_F(Layout, RightAlignedAutoSizedLabelKeepsItsRightEdge) {
    auto* label = new TLabel(&form);
    label->SetParent(&form);
    label->SetAlignment(TAlignment::taRightJustify);
    label->SetBounds(576, 32, 32, 13);
    int previousWidth = 0;
    for (const char* text : {"Výška: -", "Výška: 9", "Výška: 480", "Výška: 1200000"}) {
        label->SetCaption(text);
        EXPECT_EQ(label->Left() + label->Width(), 608) << text;
        EXPECT_GT(label->Width(), previousWidth) << text;
        EXPECT_EQ(label->Width(), label->TextExtent().width());
        EXPECT_EQ(label->Widget()->geometry().right() + 1, 608);
        previousWidth = label->Width();
    }
}

TEST_F(Layout, LeftAlignedAutoSizedLabelKeepsItsLeftEdge) {
    auto* label = new TLabel(&form);
    label->SetParent(&form);
    label->SetBounds(8, 8, 10, 13);
    label->SetCaption("a much longer text");
    EXPECT_EQ(label->Left(), 8);
    EXPECT_EQ(label->Width(), label->TextExtent().width());
}

TEST_F(Layout, FixedSizeLabelKeepsItsBounds) {
    auto* label = new TLabel(&form);
    label->SetParent(&form);
    label->SetAutoSize(false);
    label->SetBounds(8, 352, 317, 13);
    label->SetCaption("x");
    EXPECT_EQ(label->BoundsRect(), (TRect{8, 352, 325, 365}));
}

struct LabelPlace {
    int left, top, width, height;  // the edit
    int labelWidth, labelHeight;
    int labelLeft, labelTop;  // left - labelWidth - 3, top + (height - labelHeight) div 2
    friend std::ostream& operator<<(std::ostream& out, const LabelPlace& p) { return out << p.left << ',' << p.top; }
};

class LabeledEditPlacement : public Layout, public testing::WithParamInterface<LabelPlace> {};

TEST_P(LabeledEditPlacement, PutsTheLabelToTheLeftCentredOnTheEdit) {
    const LabelPlace& p = GetParam();
    auto* edit = new TLabeledEdit(&form);
    edit->SetParent(&form);
    edit->SetBounds(p.left, p.top, p.width, p.height);
    edit->SetEditLabel("Původní soubor:", p.labelWidth, p.labelHeight);
    EXPECT_EQ(edit->EditLabel().Left(), p.labelLeft);
    EXPECT_EQ(edit->EditLabel().Top(), p.labelTop);
    // Moving the edit moves its label by the same rule.
    edit->SetBounds(p.left + 10, p.top + 20, p.width, p.height);
    EXPECT_EQ(edit->EditLabel().Left(), p.labelLeft + 10);
    EXPECT_EQ(edit->EditLabel().Top(), p.labelTop + 20);
}

INSTANTIATE_TEST_SUITE_P(Table, LabeledEditPlacement,
                         testing::Values(LabelPlace{392, 136, 217, 21, 78, 13, 311, 140},
                                         LabelPlace{568, 200, 41, 21, 104, 13, 461, 204},
                                         LabelPlace{392, 168, 217, 21, 63, 13, 326, 172},
                                         LabelPlace{100, 10, 50, 20, 40, 13, 57, 13},   // (20-13) div 2 = 3
                                         LabelPlace{100, 10, 50, 10, 40, 13, 57, 9}));  // (10-13) div 2 = -1

TEST_F(Layout, ChildOfAPanelLivesInThePanelsWidget) {
    auto* panel = new TPanel(&form);
    panel->SetParent(&form);
    panel->SetBounds(312, 8, 161, 121);
    auto* inner = new TLabel(panel);
    inner->SetParent(panel);
    EXPECT_EQ(inner->Widget()->parentWidget(), panel->Widget());
    EXPECT_EQ(panel->Widget()->parentWidget(), form.ClientWidget());
}

TEST_F(Layout, ClientAlignedControlFollowsTheClientArea) {
    auto* label = new TLabel(&form);
    label->SetParent(&form);
    label->SetAutoSize(false);
    label->SetAlign(TAlign::alClient);
    form.SetClientHeight(1200);
    form.SetClientWidth(1600);
    EXPECT_EQ(label->BoundsRect(), (TRect{0, 0, 1600, 1200}));
    EXPECT_EQ(form.ClientWidget()->size(), QSize(1600, 1200));
}

TEST_F(Layout, ControlsFreedWithTheirOwnerNewestFirst) {
    auto* owner = new TForm(nullptr);
    auto* panel = new TPanel(owner);
    panel->SetParent(owner);
    auto* label = new TLabel(owner);
    label->SetParent(panel);
    panel->SetName("Panel1");
    EXPECT_EQ(owner->FindComponent("Panel1"), panel);
    EXPECT_EQ(owner->ComponentCount(), 2);
    delete owner;  // must not touch a freed widget (checked under the sanitizers)
}

}  // namespace
