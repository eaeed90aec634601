// SPDX-License-Identifier: GPL-3.0-or-later
// The menu bar: a click opens a menu, moving over the bar while one is open opens the one
// under the pointer, Alt and the underlined letter open it from the keyboard, the arrows
// move within it and Esc closes it. Each item names its command in data-menu.
export function attachMenu(bar, run) {
    const menus = [...bar.querySelectorAll('.menu')];
    let open = null;

    const itemsOf = (menu) => [...menu.querySelectorAll('.submenu [role="menuitem"]:not(:disabled)')];
    const headOf = (menu) => menu.querySelector(':scope > [role="menuitem"]');

    const close = () => {
        if (!open) {
            return;
        }
        const sub = open.querySelector('.submenu');
        sub.hidden = true;
        headOf(open).setAttribute('aria-expanded', 'false');
        open = null;
    };

    const show = (menu, focusFirst) => {
        if (open === menu) {
            return;
        }
        close();
        const sub = menu.querySelector('.submenu');
        if (!sub) {
            return;
        }
        sub.hidden = false;
        headOf(menu).setAttribute('aria-expanded', 'true');
        open = menu;
        if (focusFirst) {
            itemsOf(menu)[0]?.focus();
        }
    };

    const choose = (item) => {
        close();
        run(item.dataset.menu);
    };

    for (const menu of menus) {
        const head = headOf(menu);
        head.addEventListener('click', () => {
            if (head.dataset.menu) {
                choose(head);
            } else if (open === menu) {
                close();
            } else {
                show(menu, false);
            }
        });
        head.addEventListener('pointerenter', () => {
            if (open && open !== menu) {
                if (head.dataset.menu) {
                    close();
                } else {
                    show(menu, false);
                }
            }
        });
        head.addEventListener('keydown', (event) => {
            if (event.key === 'ArrowDown' && !head.dataset.menu) {
                event.preventDefault();
                show(menu, true);
            }
        });
        for (const item of menu.querySelectorAll('.submenu [role="menuitem"]')) {
            item.addEventListener('click', () => choose(item));
        }
        menu.addEventListener('keydown', (event) => {
            if (open !== menu) {
                return;
            }
            const items = itemsOf(menu);
            const at = items.indexOf(document.activeElement);
            if (event.key === 'ArrowDown' || event.key === 'ArrowUp') {
                event.preventDefault();
                const step = event.key === 'ArrowDown' ? 1 : -1;
                items[(at + step + items.length) % items.length]?.focus();
            } else if (event.key === 'ArrowRight' || event.key === 'ArrowLeft') {
                event.preventDefault();
                const step = event.key === 'ArrowRight' ? 1 : -1;
                const next = menus[(menus.indexOf(menu) + step + menus.length) % menus.length];
                close();
                headOf(next).focus();
                show(next, true);
            } else if (event.key === 'Escape') {
                event.preventDefault();
                event.stopPropagation();
                close();
                head.focus();
            } else if (event.key.length === 1) {
                const item = [...menu.querySelectorAll('.submenu [data-access]')].find(
                    (each) => each.dataset.access === event.key.toLowerCase() && !each.disabled,
                );
                if (item) {
                    event.preventDefault();
                    choose(item);
                }
            }
        });
    }

    document.addEventListener('pointerdown', (event) => {
        if (open && !open.contains(event.target)) {
            close();
        }
    });

    // Alt + the underlined letter, as in the window.
    document.addEventListener('keydown', (event) => {
        if (!event.altKey || event.ctrlKey || event.metaKey || event.key.length !== 1) {
            return;
        }
        const menu = menus.find((each) => headOf(each).dataset.access === event.key.toLowerCase());
        if (!menu || headOf(menu).disabled) {
            return;
        }
        event.preventDefault();
        const head = headOf(menu);
        if (head.dataset.menu) {
            close();
            run(head.dataset.menu);
        } else {
            head.focus();
            show(menu, true);
        }
    });

    return { close };
}
