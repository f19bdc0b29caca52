# Running-instance control. Nothing holds the product's mutex here, so f16 lets the installation go on
# without asking anything. f17 creates the mutex; a second call opens the same one (another handle).
# With the mutex held, f16 would ask the user in a message box, which needs someone to answer it.
tlvcall f16
tlvcall f17 + f17
