// Links every library whole into one program (see tests/CMakeLists.txt):
// building it is the check, running it does nothing.
int main() {
    return 0;
}
