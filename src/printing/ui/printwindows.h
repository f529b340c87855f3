#pragma once
// Puts the print tab on the output dialog's print page and makes its "出力" button print there;
// the program calls it once at start-up.
class frmOutput;
class PrintTab;

void RegisterPrintingWindows();

// The print tab of an output dialog (null before RegisterPrintingWindows built one).
PrintTab* PrintTabOf(frmOutput& form);
