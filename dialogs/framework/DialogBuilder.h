#pragma once

#include <QFont>
#include <vector>

#include "dialogs/framework/DialogTemplate.h"

class QDialog;
class QWidget;

// Turns a dialog template into Qt widgets: caption, frame and size of the dialog, then every
// control at its place, converted from dialog units with the metrics of the dialog font,
// with its id name as object name, its styles, and the template order as tab order.
namespace DialogBuilder {

// The font the template names, or the sans serif that stands in for it.
QFont DialogFont(const DialogTemplate& dialogTemplate);
// Makes the controls children of dialog; returns them in template order.
std::vector<QWidget*> Build(const DialogTemplate& dialogTemplate, QDialog& dialog);

}  // namespace DialogBuilder
