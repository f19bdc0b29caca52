# The environment probes: can the XML services be created here, and hand a target folder to every
# module of the process that exports SetTargetFolder (tlvcall itself has none).
tlvcall f15
tlvcall f23 'C:\Program Files\Talvesta'
