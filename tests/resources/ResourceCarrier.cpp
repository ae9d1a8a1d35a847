// A program that carries exactly Korvessa.exe's window and program resources, which the
// resource tests read as data.
int main() {
    return 0;
}
