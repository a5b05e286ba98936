# After install.robot: the installer's own folder in another letter case, then
# the upgrade question declined; the installer is left with Cancel.
wait-window VintInstall
set-folder "$DISK_UPPER"
click 1
expect-box "Installer Error" ok "The Folder You are Installing FROM and the Folder you are Installing TO Must be Different!"
expect-text 101 "C:\Program Files\Vintrel\Skyledger"
set-folder "C:\Apps\Tesmara"
click 1
expect-box "Installer Query" no "You Are Upgrading a Previously Installed Copy of Tesmara - Continue?"
expect-text 101 "C:\Apps\Tesmara"
click 109
wait-gone VintInstall
