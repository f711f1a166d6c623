#include "gui/views/option_groups.h"

#include <QButtonGroup>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

namespace quillfen {

namespace {

constexpr int kEditWidth = 57;

// A radio button with its edit box (and "$" where the amount is money) on one
// line; the edit is named by the radio's caption, the text beside it.
void AddRadioWithEdit(QVBoxLayout* layout, QRadioButton* radio, QLineEdit* edit, bool dollar,
                      QWidget* parent) {
  edit->setAccessibleName(radio->text());
  auto* line = new QHBoxLayout;
  line->addWidget(radio, 1);
  line->addWidget(edit);
  auto* unit = new QLabel(dollar ? "$" : "", parent);
  unit->setFixedWidth(10);
  line->addWidget(unit);
  layout->addLayout(line);
}

}  // namespace

QVBoxLayout* NewOptionGroup(const QString& caption, const QString& name, QWidget* parent,
                            QWidget** group) {
  *group = new QWidget(parent);
  (*group)->setObjectName(name);
  auto* outer = new QVBoxLayout(*group);
  outer->setContentsMargins(0, 0, 0, 0);
  outer->setSpacing(2);
  outer->addWidget(new QLabel(caption, *group));
  auto* frame = new QFrame(*group);
  frame->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  outer->addWidget(frame);
  auto* inner = new QVBoxLayout(frame);
  inner->setContentsMargins(8, 6, 8, 6);
  inner->setSpacing(3);
  return inner;
}

QLineEdit* NewOptionEdit(const QString& name, const QString& text, QWidget* parent) {
  auto* edit = new QLineEdit(text, parent);
  edit->setObjectName(name);
  edit->setFixedWidth(kEditWidth);
  return edit;
}

QRadioButton* NewRadio(const QString& name, const QString& caption, QWidget* parent,
                       QButtonGroup* exclusive) {
  auto* radio = new QRadioButton(caption, parent);
  radio->setObjectName(name);
  if (exclusive) exclusive->addButton(radio);
  return radio;
}

void LabelFor(QLabel* label, QWidget* control) {
  label->setBuddy(control);
  control->setAccessibleName(label->text());
}

TradeSettingsControls BuildTradeSettings(QVBoxLayout* layout, QWidget* parent,
                                         const QString& suffix) {
  auto* group = new QButtonGroup(parent);
  TradeSettingsControls c{NewRadio("OrgDepositRadioButton" + suffix,
                                   "Initial deposit as in original statement", parent, group),
                          NewRadio("DepositRadioButton" + suffix, "Initial deposit", parent, group),
                          NewOptionEdit("DepositEdit" + suffix, "5000", parent)};
  c.orgDepositRadioButton->setChecked(true);
  c.depositEdit->setToolTip("Double-click to save as default value");
  layout->addWidget(c.orgDepositRadioButton);
  AddRadioWithEdit(layout, c.depositRadioButton, c.depositEdit, true, parent);
  return c;
}

PositionSizingControls BuildPositionSizing(QVBoxLayout* layout, QWidget* parent,
                                           const QString& suffix) {
  auto* group = new QButtonGroup(parent);
  PositionSizingControls c{
      NewRadio("OriginalPositionRadioButton" + suffix, "Position sizing as in original statement",
               parent, group),
      NewRadio("FixedMiniLotsRadioButton" + suffix, "Fixed # of mini lots", parent, group),
      NewRadio("FixedStandardLotsRadioButton" + suffix, "Fixed # of standard lots", parent, group),
      NewRadio("FixedMiniAmountRadioButton" + suffix, "Fixed amount mini", parent, group),
      NewRadio("FixedStandardAmountRadioButton" + suffix, "Fixed amount standard", parent, group),
      NewOptionEdit("MiniContractsEdit" + suffix, "1", parent),
      NewOptionEdit("StandardContractsEdit" + suffix, "1", parent),
      NewOptionEdit("MiniAmountEdit" + suffix, "1000", parent),
      NewOptionEdit("StandardAmountEdit" + suffix, "10000", parent)};
  c.originalPositionRadioButton->setChecked(true);
  layout->addWidget(c.originalPositionRadioButton);
  AddRadioWithEdit(layout, c.fixedMiniLotsRadioButton, c.miniContractsEdit, false, parent);
  AddRadioWithEdit(layout, c.fixedStandardLotsRadioButton, c.standardContractsEdit, false, parent);
  AddRadioWithEdit(layout, c.fixedMiniAmountRadioButton, c.miniAmountEdit, true, parent);
  AddRadioWithEdit(layout, c.fixedStandardAmountRadioButton, c.standardAmountEdit, true, parent);
  return c;
}

void CopyTradeSettings(const TradeSettingsControls& from, const TradeSettingsControls& to) {
  to.orgDepositRadioButton->setChecked(from.orgDepositRadioButton->isChecked());
  to.depositRadioButton->setChecked(from.depositRadioButton->isChecked());
  to.depositEdit->setText(from.depositEdit->text());
}

void CopyPositionSizing(const PositionSizingControls& from, const PositionSizingControls& to) {
  to.originalPositionRadioButton->setChecked(from.originalPositionRadioButton->isChecked());
  to.fixedMiniLotsRadioButton->setChecked(from.fixedMiniLotsRadioButton->isChecked());
  to.fixedStandardLotsRadioButton->setChecked(from.fixedStandardLotsRadioButton->isChecked());
  to.fixedMiniAmountRadioButton->setChecked(from.fixedMiniAmountRadioButton->isChecked());
  to.fixedStandardAmountRadioButton->setChecked(from.fixedStandardAmountRadioButton->isChecked());
  to.miniContractsEdit->setText(from.miniContractsEdit->text());
  to.standardContractsEdit->setText(from.standardContractsEdit->text());
  to.miniAmountEdit->setText(from.miniAmountEdit->text());
  to.standardAmountEdit->setText(from.standardAmountEdit->text());
}

}  // namespace quillfen
