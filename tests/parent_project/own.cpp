// SPDX-FileCopyrightText: The Vintrelle developers
// SPDX-License-Identifier: MIT

// The parent project's own file: it uses nothing of Vintrelle.
int main()
{
    return 0;
}
