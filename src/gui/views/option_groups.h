#pragma once

#include <QString>

class QButtonGroup;
class QLabel;
class QLineEdit;
class QRadioButton;
class QVBoxLayout;
class QWidget;

namespace quillfen {

// "Trade settings": the deposit choice and its edit; the Options tab and the
// simulation tab (names ending in "1") each hold one.
struct TradeSettingsControls {
  QRadioButton* orgDepositRadioButton;
  QRadioButton* depositRadioButton;
  QLineEdit* depositEdit;
};

// "Position sizing": the five sizing choices and their four edits.
struct PositionSizingControls {
  QRadioButton* originalPositionRadioButton;
  QRadioButton* fixedMiniLotsRadioButton;
  QRadioButton* fixedStandardLotsRadioButton;
  QRadioButton* fixedMiniAmountRadioButton;
  QRadioButton* fixedStandardAmountRadioButton;
  QLineEdit* miniContractsEdit;
  QLineEdit* standardContractsEdit;
  QLineEdit* miniAmountEdit;
  QLineEdit* standardAmountEdit;
};

// A framed panel with its caption above it; controls go into the returned layout.
QVBoxLayout* NewOptionGroup(const QString& caption, const QString& name, QWidget* parent,
                            QWidget** group);
QLineEdit* NewOptionEdit(const QString& name, const QString& text, QWidget* parent);
QRadioButton* NewRadio(const QString& name, const QString& caption, QWidget* parent,
                       QButtonGroup* exclusive);
// Ties a label to the control it captions, so assistive technology names the
// control by the label's text.
void LabelFor(QLabel* label, QWidget* control);

TradeSettingsControls BuildTradeSettings(QVBoxLayout* layout, QWidget* parent,
                                         const QString& suffix);
PositionSizingControls BuildPositionSizing(QVBoxLayout* layout, QWidget* parent,
                                           const QString& suffix);

// The tab-exit copies between the Options tab and the simulation tab.
void CopyTradeSettings(const TradeSettingsControls& from, const TradeSettingsControls& to);
void CopyPositionSizing(const PositionSizingControls& from, const PositionSizingControls& to);

}  // namespace quillfen
