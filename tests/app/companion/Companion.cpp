// A stand-in for the companion control: it records how the program registered it. Built twice,
// once with the real entry's name and once with a near miss, so that one build lacks the entry.
namespace {

int g_calls = 0;
int g_lastArgument = -1;

}  // namespace

extern "C" {

int COMPANION_ENTRY(int argument) {
    ++g_calls;
    g_lastArgument = argument;
    return 0;
}

int CompanionCalls(int* lastArgument) {
    if (lastArgument) *lastArgument = g_lastArgument;
    return g_calls;
}
}
