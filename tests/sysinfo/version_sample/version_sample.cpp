// A program that does nothing: the tests read the version resource it carries.
int main() {
    return 0;
}
