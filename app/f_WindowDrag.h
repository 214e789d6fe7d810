#pragma once

class TCustomForm;

// Lets the user drag the form with the mouse: the capture is released and the form is sent the
// system command for moving by its caption (SC_MOVE | HTCAPTION), whichever button is down.
void StartWindowDrag(TCustomForm& form);
