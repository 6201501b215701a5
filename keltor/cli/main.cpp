// keltor-cli: the workbench's operations without a display.
int main() { return 0; }
