#include "control_properties.h"

#include "app/button.h"
#include "app/captioned.h"
#include "app/check_box.h"
#include "app/edit.h"
#include "app/file_dialog.h"
#include "app/form_window.h"
#include "app/grid_control.h"
#include "app/page_control.h"
#include "app/popup_menu.h"
#include "app/progress_bar.h"
#include "app/status_bar.h"
#include "app/up_down.h"
#include "output_text.h"

namespace zemvo::scenario {
namespace {

template <typename Value, typename Getter>
Property readOnly(Getter get) {
  return {[get] { return PropertyValue(Value(get())); }, {}};
}

template <typename Value, typename Getter, typename Setter>
Property readWrite(Getter get, Setter set) {
  return {[get] { return PropertyValue(Value(get())); },
          [set](const PropertyValue& value) { set(std::get<Value>(value)); }};
}

// The caption of any control that has one; writable where the control
// lets code change it.
template <typename Kind>
std::optional<Property> captionOf(Control& control) {
  auto* captioned = dynamic_cast<Kind*>(&control);
  if (!captioned) return std::nullopt;
  auto get = [captioned] { return captioned->caption(); };
  if constexpr (requires { captioned->setCaption(Text()); }) {
    return readWrite<Text>(get, [captioned](const Text& text) { captioned->setCaption(text); });
  } else {
    return readOnly<Text>(get);
  }
}

std::optional<Property> caption(Control& control) {
  for (auto property : {captionOf<CheckBox>(control), captionOf<Button>(control), captionOf<Label>(control),
                        captionOf<GroupBox>(control), captionOf<FormWindow>(control), captionOf<TabSheet>(control),
                        captionOf<MenuItem>(control)}) {
    if (property) return property;
  }
  return std::nullopt;
}

std::optional<Property> typedProperty(Control& control, std::string_view name) {
  if (name == "caption") return caption(control);
  if (auto* box = dynamic_cast<CheckBox*>(&control); box && name == "checked") {
    return readWrite<bool>([box] { return box->checked(); }, [box](bool v) { box->setChecked(v); });
  }
  if (auto* edit = dynamic_cast<Edit*>(&control); edit && name == "text") {
    return readWrite<Text>([edit] { return edit->text(); }, [edit](const Text& v) { edit->setText(v); });
  }
  if (auto* status = dynamic_cast<StatusBar*>(&control); status && name == "text") {
    return readWrite<Text>([status] { return status->text(); }, [status](const Text& v) { status->setText(v); });
  }
  if (auto* spinner = dynamic_cast<UpDown*>(&control)) {
    if (name == "position") {
      return readWrite<int>([spinner] { return spinner->position(); }, [spinner](int v) { spinner->setPosition(v); });
    }
    if (name == "min") return readOnly<int>([spinner] { return spinner->min(); });
    if (name == "max") return readOnly<int>([spinner] { return spinner->max(); });
  }
  if (auto* bar = dynamic_cast<ProgressBar*>(&control); bar && name == "position") {
    return readWrite<int>([bar] { return bar->position(); }, [bar](int v) { bar->setPosition(v); });
  }
  if (auto* pages = dynamic_cast<PageControl*>(&control); pages && name == "active") {
    return readWrite<int>([pages] { return pages->activePageIndex(); },
                          [pages](int v) { pages->setActivePageIndex(v); });
  }
  if (auto* window = dynamic_cast<FormWindow*>(&control)) {
    if (name == "left")
      return readWrite<int>([window] { return window->left(); }, [window](int v) { window->setLeft(v); });
    if (name == "top")
      return readWrite<int>([window] { return window->top(); }, [window](int v) { window->setTop(v); });
    if (name == "width") return readOnly<int>([window] { return window->width(); });
    if (name == "height") return readOnly<int>([window] { return window->height(); });
  }
  if (auto* grid = dynamic_cast<GridControl*>(&control)) {
    if (name == "rows")
      return readWrite<int>([grid] { return grid->rowCount(); }, [grid](int v) { grid->setRowCount(v); });
    if (name == "cols")
      return readWrite<int>([grid] { return grid->colCount(); }, [grid](int v) { grid->setColCount(v); });
    if (name == "editing") {
      return readWrite<bool>([grid] { return grid->editing(); }, [grid](bool v) { grid->setEditing(v); });
    }
  }
  if (auto* dialog = dynamic_cast<FileDialog*>(&control); dialog && name == "filter") {
    return readOnly<Text>([dialog] { return dialog->filter(); });
  }
  return std::nullopt;
}

std::string flag(bool on, const char* text) { return on ? std::string(" ") + text : std::string(); }

std::string range(int min, int max) { return " range=" + std::to_string(min) + ".." + std::to_string(max); }

std::string describeKind(Control& control) {
  if (auto* window = dynamic_cast<FormWindow*>(&control)) {
    return "window caption=" + quotedText(window->caption()) + " left=" + std::to_string(window->left()) +
           " top=" + std::to_string(window->top()) + " width=" + std::to_string(window->width()) +
           " height=" + std::to_string(window->height());
  }
  if (auto* pages = dynamic_cast<PageControl*>(&control)) {
    return "pages active=" + std::to_string(pages->activePageIndex());
  }
  if (auto* tab = dynamic_cast<TabSheet*>(&control)) return "tab caption=" + quotedText(tab->caption());
  if (auto* group = dynamic_cast<GroupBox*>(&control)) return "group caption=" + quotedText(group->caption());
  if (auto* label = dynamic_cast<Label*>(&control)) return "label caption=" + quotedText(label->caption());
  if (auto* edit = dynamic_cast<Edit*>(&control)) {
    return "edit text=" + quotedText(edit->text()) + flag(edit->readOnly(), "read-only") +
           flag(edit->alignment() == Alignment::Centre, "centred") +
           flag(edit->alignment() == Alignment::Right, "right-aligned");
  }
  if (auto* spinner = dynamic_cast<UpDown*>(&control)) {
    return "updown position=" + std::to_string(spinner->position()) + range(spinner->min(), spinner->max()) +
           (spinner->associate() ? " associate=" + toUtf8(spinner->associate()->name()) : "") +
           flag(spinner->horizontal(), "horizontal");
  }
  if (auto* box = dynamic_cast<CheckBox*>(&control)) {
    return "checkbox caption=" + quotedText(box->caption()) + " checked=" + (box->checked() ? "1" : "0");
  }
  if (auto* button = dynamic_cast<Button*>(&control)) return "button caption=" + quotedText(button->caption());
  if (auto* grid = dynamic_cast<GridControl*>(&control)) {
    const GridOptions& options = grid->options();
    return "grid cols=" + std::to_string(grid->colCount()) + " rows=" + std::to_string(grid->rowCount()) +
           " fixed=" + std::to_string(grid->fixedRows()) + " col-width=" + std::to_string(grid->defaultColWidth()) +
           " row-height=" + std::to_string(grid->defaultRowHeight()) + flag(options.editable, "editable") +
           flag(options.columnsMovable, "columns-movable") + flag(options.columnsResizable, "columns-resizable") +
           flag(options.fixedCellClicks, "header-clicks") + flag(options.thumbTracking, "thumb-tracking") +
           (options.scrollBars == ScrollBars::Vertical ? " scroll=vertical" : " scroll=both") +
           flag(grid->editing(), "editing");
  }
  if (dynamic_cast<PopupMenu*>(&control)) return "menu";
  if (auto* item = dynamic_cast<MenuItem*>(&control)) {
    return item->isSeparator() ? "menuitem separator" : "menuitem caption=" + quotedText(item->caption());
  }
  if (auto* bar = dynamic_cast<ProgressBar*>(&control)) {
    return "progress position=" + std::to_string(bar->position()) + range(bar->min(), bar->max());
  }
  if (auto* status = dynamic_cast<StatusBar*>(&control)) return "status text=" + quotedText(status->text());
  if (auto* dialog = dynamic_cast<FileDialog*>(&control)) {
    return std::string(dialog->kind() == FileDialogKind::Open ? "open-dialog" : "save-dialog") +
           " filter=" + quotedText(dialog->filter());
  }
  return "control";
}

}  // namespace

std::optional<Property> findProperty(Control& control, std::string_view name) {
  if (name == "enabled") {
    return readWrite<bool>([&control] { return control.enabled(); }, [&control](bool v) { control.setEnabled(v); });
  }
  if (name == "visible") {
    return readWrite<bool>([&control] { return control.visible(); }, [&control](bool v) { control.setVisible(v); });
  }
  if (name == "hint") {
    return readWrite<Text>([&control] { return control.hint(); }, [&control](const Text& v) { control.setHint(v); });
  }
  return typedProperty(control, name);
}

std::string propertyText(const PropertyValue& value) {
  if (const bool* b = std::get_if<bool>(&value)) return *b ? "1" : "0";
  if (const int* i = std::get_if<int>(&value)) return std::to_string(*i);
  return quotedText(std::get<Text>(value));
}

std::string describeControl(Control& control) {
  std::string line = toUtf8(control.name()) + " " + describeKind(control);
  if (!control.parent().empty()) line += " in=" + toUtf8(control.parent());
  line += flag(!control.enabled(), "disabled") + flag(!control.visible(), "hidden");
  if (!control.hint().empty()) line += " hint=" + quotedText(control.hint());
  return line;
}

}  // namespace zemvo::scenario
