// A loadable library that is no plug-in: it has no VST entry point.
extern "C" __attribute__((visibility("default"))) int notAPluginAnswer()
{
    return 42;
}
