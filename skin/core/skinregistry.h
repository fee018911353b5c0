// Adding and removing forms of the skinned form registry (skinforms.h), and
// the redraw lock of skinned forms around a skin change.
#pragma once

class TForm;
class TsSkinManager;

// Appends Form unless it is registered already.
void AddSkinnedForm(TForm* Form);
// Removes every entry of Form: each is replaced by the last entry, which
// then goes, so removing the last entry shrinks the registry by one.
void RemoveSkinnedForm(TForm* Form);

// True while the application's window or its main form is minimized.
bool ApplicationMinimized();
// Before a skin change: nothing while the application is minimized; for the
// default manager with AnimEffects.SkinChanging.Active, AnimationRunning is
// set. Locking the registered forms themselves goes through their skin
// providers.
void LockSkinnedFormsRedraw(TsSkinManager* Manager);
// After a skin change: nothing while the application is minimized; for the
// default manager AnimationRunning is cleared.
void UnlockSkinnedFormsRedraw(TsSkinManager* Manager, bool Animate);
