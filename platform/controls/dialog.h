// Modal dialogs built from a description (dialog_template.h). DoModal makes the dialog and its
// controls, sends WM_INITDIALOG, centres the dialog over its owner, disables the owner, shows
// and activates the dialog, raises the "dialog opened" accessibility event (name: the caption,
// value: the text of the control that gets the focus), focuses the first tab stop (or the
// control WM_NEXTDLGCTL named during initialisation) and runs a modal loop until EndDialog. The
// owner is enabled again before the dialog is destroyed, and the window that had the focus
// before gets it back.
//
// Keys (IsDialogMessage, in the dialog's pre-translation): Tab and Shift+Tab go round the tab
// stops; the arrows move within a group (an automatic radio button reached is chosen); Enter
// presses the focused push button, else the default button (DM_GETDEFID), else IDOK; Escape
// sends IDCANCEL; a mnemonic letter (with Alt, or alone where the focused control takes no
// characters) presses its button or focuses the control after its label. A control keeps the
// keys it asks for with WM_GETDLGCODE. A disabled target button makes Enter beep and Escape
// do nothing. WM_CLOSE (the close item of the system menu, Alt+F4) is Escape.
#pragma once

#include <string>

#include "platform/controls/dialog_messages.h"
#include "platform/controls/dialog_template.h"
#include "platform/core/message_queue.h"
#include "platform/core/modal_loop.h"
#include "platform/core/window.h"

namespace lexiv::platform {

class Dialog : public Window {
  LEXIV_DECLARE_MESSAGE_MAP();

 public:
  explicit Dialog(DialogTemplate description = {});
  ~Dialog() override;

  std::string_view ClassName() const override { return "#32770"; }
  int AccessRole() const override;

  // Runs the dialog; returns the result given to EndDialog, -1 when the dialog could not be
  // made or the input ended first. owner may be null (centred on the screen).
  int DoModal(HWND owner);
  void EndDialog(int result);
  bool IsRunning() const { return running_; }

  // Grays or enables the close item of the dialog's system menu.
  void EnableCloseItem(bool enable);

  const DialogTemplate& Description() const { return description_; }

 protected:
  // After the controls exist, before the dialog is shown. TRUE: the first tab stop gets the focus
  // (unless WM_NEXTDLGCTL already named a control).
  virtual BOOL OnInitDialog();
  virtual void OnOK();
  virtual void OnCancel();
  bool PreTranslateMessage(Msg& msg) override;

 private:
  bool CreateFromDescription(HWND owner);
  HWND FirstTabStop() const;

  LRESULT OnInitDialogMessage(WPARAM wParam, LPARAM lParam);
  LRESULT OnSetDefId(WPARAM wParam, LPARAM lParam);
  LRESULT OnGetDefId(WPARAM wParam, LPARAM lParam);
  LRESULT OnNextDlgCtl(WPARAM wParam, LPARAM lParam);
  LRESULT OnActivate(WPARAM wParam, LPARAM lParam);
  LRESULT OnSetFocus(WPARAM wParam, LPARAM lParam);
  LRESULT OnClose(WPARAM wParam, LPARAM lParam);
  void OnOKCommand();
  void OnCancelCommand();

  DialogTemplate description_;
  ModalLoop loop_;
  bool running_ = false;
  bool shown_ = false;
  bool announced_ = false;
  bool ended_ = false;
  int result_ = 0;
  UINT defId_ = 0;
  HWND focusToRestore_;  // the control that gets the focus when the dialog is activated
};

BOOL EndDialog(HWND dialog, int result);
// The dialog keys for msg (see above); TRUE when the message was used.
BOOL IsDialogMessage(HWND dialog, Msg* msg);

BOOL SetDlgItemText(HWND dialog, int id, const char* text);
// Bytes copied, terminated, never splitting a character.
UINT GetDlgItemText(HWND dialog, int id, char* buffer, int size);
LRESULT SendDlgItemMessage(HWND dialog, int id, UINT message, WPARAM wParam, LPARAM lParam);
UINT IsDlgButtonChecked(HWND dialog, int id);
BOOL CheckDlgButton(HWND dialog, int id, UINT check);

}  // namespace lexiv::platform
