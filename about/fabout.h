// The About dialog: the program's icon, the About text with two link labels laid over
// its blank runs, an OK button and an optional auto-close timer.
#pragma once

#include <cstdint>
#include <string>

#include "core/bool16.h"
#include "forms/form.h"

namespace zelvane {

class fabout : public forms::Form {
public:
    fabout();

    // Controls, top of the z-order first.
    forms::CommandButton btnOK;
    forms::Timer TimerHide;
    forms::Frame Frame1;
    forms::Label lblweb;
    forms::Label lblmailto;
    forms::Image imgIcon;
    forms::Label lblAbout;

    // Fills the dialog from `comment` (program text) and shows it with `picture` (not
    // owned; it must outlive the dialog's window). Modal unless Modeless is set: then
    // it returns once the dialog has closed.
    void About(std::string comment, HICON picture);
    // The auto-close interval in milliseconds; 0 or less means never. Reading it takes
    // the timer's current interval. Both touch the timer, which loads the dialog.
    int32_t Interval();
    void SetInterval(int32_t ms);
    Bool16 Modeless() const { return m_Modeless; }
    void SetModeless(Bool16 modeless) { m_Modeless = modeless; }
    Bool16 Loaded() const { return m_Loaded; }

protected:
    void Form_Load() override;
    void Form_QueryUnload(int16_t& cancel, int16_t unloadMode) override;
    // Another program came to the front, which ends the saver's run: the dialog goes too,
    // since while it is open the run cannot end and the topmost clock hides that program.
    void Form_LostForeground() override;
    // High Contrast may have been switched: the links take their colour for it.
    void Form_ColorsChange() override;

private:
    void btnOK_Click();
    void TimerHide_Timer();
    void lblmailto_MouseMove(int16_t button, int16_t shift, float x, float y);
    void lblweb_MouseMove(int16_t button, int16_t shift, float x, float y);
    void Frame1_MouseMove(int16_t button, int16_t shift, float x, float y);
    void lblAbout_MouseMove(int16_t button, int16_t shift, float x, float y);
    void lblmailto_MouseDown(int16_t button, int16_t shift, float x, float y);
    void lblweb_MouseDown(int16_t button, int16_t shift, float x, float y);
    void RestoreStoredState();
    void ApplyLinkColor();

    int32_t m_Interval = 0;
    Bool16 m_Modeless = kFalse;
    Bool16 m_Loaded = kFalse;
};

}  // namespace zelvane
