// The designer form's side of the property inspector: what the inspector
// asks of TDizaynAnaF (its selection, layout kind, stage, component list and
// tabs), and the inspector's creation on the form's inspector panel.
#pragma once

class TDizaynAnaF;
class TDesignInspector;

// Makes the inspector on Form's Panel3 and PaintBox1, owned by Form; it
// follows the panel's resizing.
TDesignInspector* CreateDesignerInspector(TDizaynAnaF& Form);
